// The controls of the main window: names, captions, tooltips, fonts, places and the states
// they start in. Places are twips relative to the container.

#include "app/artwork.h"
#include "app/clickable_label.h"
#include "app/days_validator.h"
#include "app/form1.h"
#include "app/list_lines.h"
#include "app/picture_box.h"
#include "app/qt_text.h"
#include "app/tri_state_check_box.h"
#include "app/twips.h"
#include "app/window_look.h"
#include "app/window_texts.h"
#include "workflow/workflow_texts.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace velmaron {

namespace {

constexpr qreal LargeFont = 12;
constexpr qreal HugeFont = 18;

struct Place {
    int left, top, width, height;
};

template <class Control> Control* add(Control* control, const QString& name, Place place) {
    control->setObjectName(name);
    placeTwips(control, place.left, place.top, place.width, place.height);
    return control;
}

void setPointSize(QWidget* widget, qreal points) {
    QFont font = widget->font();
    font.setPointSizeF(points);
    widget->setFont(font);
}

// Labels show their caption from the top and wrap it at word boundaries within their width.
QLabel* addLabel(QWidget* parent, const QString& name, const QString& caption, Place place,
                 Qt::Alignment horizontal = Qt::AlignLeft) {
    auto* label = add(new QLabel(caption, parent), name, place);
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

// Opaque labels keep the plain face colour of the system instead of the window's blue.
void makeOpaque(QLabel* label) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, label->style()->standardPalette().color(QPalette::Button));
    label->setPalette(palette);
    label->setAutoFillBackground(true);
}

TriStateCheckBox* addCheckBox(QWidget* parent, const QString& name, const QString& caption,
                              const QString& tooltip, Place place) {
    auto* box = add(new TriStateCheckBox(caption, parent), name, place);
    box->setToolTip(tooltip);
    return box;
}

// An option-button array: its elements are named "<array>_<index>" and exclude each other.
template <std::size_t Count>
QButtonGroup* addOptionArray(QWidget* container, QRadioButton* (&array)[Count], const QString& name,
                             const QString (&captions)[Count], const Place (&places)[Count]) {
    auto* group = new QButtonGroup(container);
    group->setExclusive(true);
    for (std::size_t index = 0; index < Count; ++index) {
        array[index] = add(new QRadioButton(captions[index], container),
                           QStringLiteral("%1_%2").arg(name).arg(index), places[index]);
        group->addButton(array[index], static_cast<int>(index));
    }
    return group;
}

// The calendar pop-up is built when it first opens, with the picker's locale: building it
// loads icon themes and image plugins, which start-up need not wait for.
QDateEdit* addDatePicker(QWidget* parent, const QString& name, Place place) {
    auto* picker = add(new QDateEdit(parent), name, place);
    picker->setLocale(QLocale(QLocale::German, QLocale::Germany));
    picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    picker->setCalendarPopup(true);
    return picker;
}

PictureBox* addPictureBox(QWidget* parent, const QString& name, Place place) {
    return add(new PictureBox(parent), name, place);
}

} // namespace

void Form1::createControls() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(WindowTexts::ApplicationTitle);
    setWindowIcon(QIcon(programIcon()));
    applyWindowLook(this);

    createOptionsPage();
    createFileNamePage();
    createStatusControls();
    createInstructionBand();
    createDiagnostics();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(PollInterval);
}

void Form1::createOptionsPage() {
    Option2Group =
        addOptionArray(this, Option2, QStringLiteral("Option2"),
                       {WindowTexts::Option2Captions[0], WindowTexts::Option2Captions[1]},
                       {Place{480, 120, 1815, 450}, Place{2400, 120, 1695, 450}});
    for (QRadioButton* option : Option2)
        setPointSize(option, LargeFont);
    Option2[0]->setChecked(true);

    frameSelectFiles = add(new QGroupBox(WindowTexts::SelectFilesCaption, this),
                           QStringLiteral("frameSelectFiles"), {0, 600, 4695, 4935});
    QWidget* page = frameSelectFiles;
    Check1 = addCheckBox(page, QStringLiteral("Check1"), WindowTexts::Check1Caption,
                         WindowTexts::Check1Tip, {240, 360, 1815, 495});
    Check1->setValue(1);
    Check1->setEnabled(false);
    Check2 = addCheckBox(page, QStringLiteral("Check2"), WindowTexts::Check2Caption,
                         WindowTexts::Check2Tip, {240, 840, 1455, 495});
    tbDays = add(new QLineEdit(QStringLiteral("92"), page), QStringLiteral("tbDays"),
                 {240, 1440, 495, 375});
    tbDays->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    tbDays->setToolTip(WindowTexts::DaysTip);
    tbDays->setValidator(new DaysValidator(tbDays));
    setPointSize(tbDays, LargeFont);
    Label7 =
        addLabel(page, QStringLiteral("Label7"), WindowTexts::DaysCaption, {840, 1440, 615, 375});
    setPointSize(Label7, LargeFont);
    Check3 = addCheckBox(page, QStringLiteral("Check3"), WindowTexts::Check3Caption,
                         WindowTexts::Check3Tip, {240, 1920, 1695, 495});
    Check4 = addCheckBox(page, QStringLiteral("Check4"), WindowTexts::Check4Caption,
                         WindowTexts::Check4Tip, {240, 2400, 2175, 735});
    Check5 = addCheckBox(page, QStringLiteral("Check5"), WindowTexts::Check5Caption,
                         WindowTexts::Check5Tip, {240, 3120, 1695, 495});
    Check11 = addCheckBox(page, QStringLiteral("Check11"), WindowTexts::Check11Caption,
                          WindowTexts::Check11Tip, {240, 3600, 1815, 495});
    lblStart = addLabel(page, QStringLiteral("lblStart"), WindowTexts::StartCaption,
                        {240, 4080, 1695, 375});
    DTPickerStart = addDatePicker(page, QStringLiteral("DTPickerStart"), {2160, 3960, 1455, 375});
    lblEnd =
        addLabel(page, QStringLiteral("lblEnd"), WindowTexts::EndCaption, {240, 4440, 1695, 375});
    DTPickerEnd = addDatePicker(page, QStringLiteral("DTPickerEnd"), {2160, 4440, 1455, 375});
    Check6 = addCheckBox(page, QStringLiteral("Check6"), WindowTexts::Check6Caption,
                         WindowTexts::Check6Tip, {2520, 240, 2055, 735});
    Check7 = addCheckBox(page, QStringLiteral("Check7"), WindowTexts::Check7Caption,
                         WindowTexts::Check7Tip, {2520, 960, 1935, 615});
    Check9 = addCheckBox(page, QStringLiteral("Check9"), WindowTexts::Check9Caption,
                         WindowTexts::Check9Tip, {2520, 1560, 2055, 735});
    Check10 = addCheckBox(page, QStringLiteral("Check10"), WindowTexts::Check10Caption,
                          WindowTexts::Check10Tip, {2520, 2280, 1575, 495});
    Check8 = addCheckBox(page, QStringLiteral("Check8"), WindowTexts::Check8Caption,
                         WindowTexts::Check8Tip, {2520, 2880, 1815, 495});
}

void Form1::createFileNamePage() {
    // Parked outside the narrow window until the page selector brings it in.
    frameFileName = add(new QGroupBox(WindowTexts::FileNameCaption, this),
                        QStringLiteral("frameFileName"), {5160, 600, 3975, 3375});
    Option1Group = addOptionArray(frameFileName, Option1, QStringLiteral("Option1"),
                                  {WindowTexts::Option1Captions[0], WindowTexts::Option1Captions[1],
                                   WindowTexts::Option1Captions[2], WindowTexts::Option1Captions[3],
                                   WindowTexts::Option1Captions[4]},
                                  {Place{240, 360, 3495, 375}, Place{240, 960, 3495, 375},
                                   Place{240, 1560, 3495, 375}, Place{240, 2160, 3495, 375},
                                   Place{240, 2760, 3495, 375}});
    for (QRadioButton* option : Option1)
        setPointSize(option, LargeFont);
    Option1[1]->setChecked(true);

    Frame1 = add(new QGroupBox(this), QStringLiteral("Frame1"), {5160, 0, 3975, 495});
    optVelmaronGroup =
        addOptionArray(Frame1, optVelmaron, QStringLiteral("optVelmaron"),
                       {WindowTexts::ModelCaptions[0], WindowTexts::ModelCaptions[1]},
                       {Place{240, 120, 1575, 375}, Place{2280, 120, 1575, 375}});
    optVelmaron[1]->setChecked(true);
}

void Form1::createStatusControls() {
    cmdHelp = add(new QPushButton(WindowTexts::HelpCaption, this), QStringLiteral("cmdHelp"),
                  {4200, 120, 495, 495});
    lblSWVersion = add(new ClickableLabel(WindowTexts::VersionLabelStart, this),
                       QStringLiteral("lblSWVersion"), {1560, 5640, 2055, 255});
    lblSWVersion->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblMessage = addLabel(this, QStringLiteral("lblMessage"), QString(), {0, 5880, 4695, 555},
                          Qt::AlignHCenter);
    setPointSize(lblMessage, HugeFont);
    cmdConfigure = add(new QPushButton(WindowTexts::ConfigureCaption, this),
                       QStringLiteral("cmdConfigure"), {2760, 6480, 1575, 495});
    cmdConfigure->setEnabled(false);
    Label1[0] = addLabel(this, QStringLiteral("Label1_0"), QString(), {360, 7080, 1935, 255});
    lblVersion = addLabel(this, QStringLiteral("lblVersion"), QString(), {2280, 7080, 2055, 255},
                          Qt::AlignRight);
}

void Form1::createInstructionBand() {
    // Stacked as they overlap: the picture at the back, the text and the arrow display over it.
    // Its picture is drawn when the band is first shown (setTallLayout), not at every start.
    Image1 = add(new QLabel(this), QStringLiteral("Image1"), {480, 7440, 4050, 3315});
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblInstruction = addLabel(this, QStringLiteral("lblInstruction"),
                              toQString(TextOf(Instruction::Unplug)), {360, 7680, 2535, 1095});
    setPointSize(lblInstruction, HugeFont);
    picArrowDisplay =
        addPictureBox(this, QStringLiteral("picArrowDisplay"), {480, 9600, 2220, 1215});

    // The sources of the arrow display; never shown.
    picNoArrow = addPictureBox(this, QStringLiteral("picNoArrow"), {5160, 7680, 2220, 1215});
    picOutArrow = addPictureBox(this, QStringLiteral("picOutArrow"), {5160, 6240, 1740, 1215});
    picInArrow = addPictureBox(this, QStringLiteral("picInArrow"), {7200, 6240, 1740, 1215});
    picOutArrow->setPicture(arrowPicture(ArrowDirection::Left));
    picInArrow->setPicture(arrowPicture(ArrowDirection::Right));
    for (PictureBox* source : {picNoArrow, picOutArrow, picInArrow})
        source->hide();
}

void Form1::createDiagnostics() {
    List1 = add(new QListWidget(this), QStringLiteral("List1"), {5160, 4560, 4215, 1425});
    listLines = std::make_unique<ListLines>(List1);
    Label2 =
        addLabel(this, QStringLiteral("Label2"), WindowTexts::StateCaption, {8040, 7680, 375, 255});
    makeOpaque(Label2);
    lblState = addLabel(this, QStringLiteral("lblState"), QStringLiteral("0"),
                        {8400, 7680, 375, 255}, Qt::AlignRight);
    makeOpaque(lblState);
}

void Form1::applyTabOrder() {
    // Reading order: the page selector and the help button, the page shown (its left column,
    // then its right one), the configure button, then what only the wide window shows.
    QWidget* const order[] = {
        Option2[0],     Option2[1], cmdHelp,        Check1,         Check2,        tbDays,
        Check3,         Check4,     Check5,         Check11,        DTPickerStart, DTPickerEnd,
        Check6,         Check7,     Check9,         Check10,        Check8,        Option1[0],
        Option1[1],     Option1[2], Option1[3],     Option1[4],     cmdConfigure,  optVelmaron[0],
        optVelmaron[1], List1};
    for (std::size_t index = 1; index < std::size(order); ++index)
        QWidget::setTabOrder(order[index - 1], order[index]);
    // The window opens with the first of them focused.
    Option2[0]->setFocus();
}

} // namespace velmaron
