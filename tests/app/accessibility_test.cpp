// What a screen reader is told of the main window's controls, and where Tab goes.

#include "app_fixture.h"

#include <QAccessible>
#include <QGroupBox>

namespace velmaron::test {
namespace {

QString accessibleText(QWidget* widget, QAccessible::Text text) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face != nullptr ? face->text(text) : QString();
}

using AccessibilityTest = WindowTest;

TEST_F(AccessibilityTest, FieldsAndUncaptionedControlsHaveTellingNames) {
    const struct {
        QWidget* control;
        const char* name;
    } cases[] = {
        {form->tbDays, "Tage"}, {form->DTPickerStart, "Download von"},
        {form->DTPickerEnd, "Download bis"}, {form->cmdHelp, "Information"},
        {form->List1, "Diagnose"}, {form->Frame1, "Modell"},
        {form->Check3, "Ereignisse & Störungen"}, {form->frameFileName, "Dateiformat wählen"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(accessibleText(c.control, QAccessible::Name).toStdString(), c.name)
            << c.control->objectName().toStdString();
}

// No control or group is announced by a title or not at all; tooltips are descriptions.
TEST_F(AccessibilityTest, EveryControlHasANameOfItsOwnAndItsTooltipAsDescription) {
    int focusable = 0;
    for (QWidget* control : form->findChildren<QWidget*>()) {
        SCOPED_TRACE(control->objectName().toStdString());
        const bool group = qobject_cast<QGroupBox*>(control) != nullptr;
        if (!control->toolTip().isEmpty()) {
            EXPECT_EQ(accessibleText(control, QAccessible::Description), control->toolTip());
        }
        // Parts of other controls (a date picker's field), labels and pictures.
        if (control->objectName().isEmpty() || control->objectName().startsWith("qt_") ||
            (!group && control->focusPolicy() == Qt::NoFocus))
            continue;
        focusable += group ? 0 : 1;
        const QString name = accessibleText(control, QAccessible::Name);
        EXPECT_FALSE(name.isEmpty());
        EXPECT_NE(name, form->windowTitle());
        for (QWidget* outer = control->parentWidget(); outer != nullptr;
             outer = outer->parentWidget())
            if (auto* frame = qobject_cast<QGroupBox*>(outer)) {
                EXPECT_NE(name, frame->title());
            }
    }
    EXPECT_EQ(focusable, 26);
}

// Tab follows the reading order of what is shown; a group of option buttons is one stop.
TEST_F(AccessibilityTest, TabFollowsTheReadingOrderOfWhatIsShown) {
    const QStringList top = {"Option2", "cmdHelp"};
    const QStringList options = {"Check2",  "tbDays",  "Check3",  "Check4", "Check5",
                                 "Check11", "DTPickerStart", "DTPickerEnd", "Check6",
                                 "Check7",  "Check9",  "Check10", "Check8"};
    const QStringList fileNames = {"Option1"};
    const QStringList wideOnly = {"optVelmaron", "List1"};
    const struct {
        const char* name;
        bool wide, fileNamePage;
        QStringList order;
    } cases[] = {
        {"narrow, options", false, false, top + options + QStringList{"cmdConfigure"}},
        {"narrow, file names", false, true, top + fileNames + QStringList{"cmdConfigure"}},
        {"wide, options", true, false,
         top + options + fileNames + QStringList{"cmdConfigure"} + wideOnly},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.wide)
            QFile(programDir.filePath(QStringLiteral("VelmaronConfigWide.txt")))
                .open(QIODevice::WriteOnly);
        newWindow();
        form->cmdConfigure->setEnabled(true);
        form->show();
        activate(form.get());
        form->Option2[c.fileNamePage ? 1 : 0]->setChecked(true);
        form->Option2[0]->setFocus();
        QStringList visited = {QStringLiteral("Option2")};
        for (int presses = 0; presses < 80; ++presses) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focus = QApplication::focusWidget();
            while (focus != nullptr && focus->objectName().isEmpty())
                focus = focus->parentWidget();
            // A date picker's field for its picker, an option button by its array's name.
            const QString name = focus != nullptr ? focus->objectName().section('_', 0, 0)
                                                  : QStringLiteral("(none)");
            if (name != visited.last())
                visited << name;
            if (name == QStringLiteral("Option2"))
                break;
        }
        EXPECT_EQ(visited.join(' ').toStdString(),
                  (c.order + QStringList{"Option2"}).join(' ').toStdString());
    }
}

} // namespace
} // namespace velmaron::test
