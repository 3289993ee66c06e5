#include "app/form1.h"

#include "app/accessibility.h"
#include "app/app_version.h"
#include "app/artwork.h"
#include "app/clickable_label.h"
#include "app/form1_workflow_view.h"
#include "app/held_repaints.h"
#include "app/info/frm_info.h"
#include "app/keyboard_reach.h"
#include "app/list_lines.h"
#include "app/picture_box.h"
#include "app/screen_fit.h"
#include "app/tri_state_check_box.h"
#include "app/twips.h"
#include "app/window_texts.h"
#include "config/date_codec.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDateEdit>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWindow>

namespace velmaron {

namespace {

// Client areas in twips. The normal height shows everything down to the version line and
// keeps the instruction band below it (from Top 7440) out of sight; the tall one shows the band.
constexpr int NarrowClientWidth = 4695;
constexpr int WideClientWidth = 9570;
constexpr int NormalClientHeight = 7380;
constexpr int TallClientHeight = 11220;

// How long the first scan waits for the window's activation after the window is shown.
constexpr int FirstScanWaitMs = 50;

// Beside the program, this file alone (its content does not matter) keeps the window wide.
const char* const WideMarkerFile = "VelmaronConfigWide.txt";

} // namespace

Form1::Form1(const QString& directory, Clock clock, QWidget* parent)
    : QWidget(parent), programDirectory(directory), today(std::move(clock)) {
    createControls();
    describeForScreenReaders(*this);
    screenFit = new ScreenFit(this, Image1, picArrowDisplay, lblInstruction,
                              toPixels(TallClientHeight));
    connectHandlers();
    applyTabOrder();
    // The poll timer runs from the moment the window exists.
    Timer1->start();
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &Form1::focusWindowChanged);
    Form_Load();
}

Form1::~Form1() = default;

void Form1::connectHandlers() {
    // stateChanged comes only when the value really changes, whether by a click or by code.
    connect(Check8, &QCheckBox::stateChanged, this, [this] { Check8_Click(); });
    connect(Check10, &QCheckBox::stateChanged, this, [this] { Check10_Click(); });
    connect(Check11, &QCheckBox::stateChanged, this, [this] { Check11_Click(); });
    connect(Option2Group, &QButtonGroup::idToggled, this, [this](int index, bool on) {
        if (on)
            Option2_Click(index);
    });
    connect(cmdHelp, &QPushButton::clicked, this, &Form1::cmdHelp_Click);
    connect(lblSWVersion, &ClickableLabel::clicked, this, &Form1::lblSWVersion_Click);
    connect(cmdConfigure, &QPushButton::clicked, this, &Form1::cmdConfigure_Click);
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);

    // A poll that finds the device as before shows its settings again over what was edited.
    // What the window's own handlers set is shown by the workflow already.
    const auto edited = [this] {
        if (workflow_ && handlersRunning == 0)
            workflow_->workflow.viewChanged();
    };
    for (QCheckBox* box :
         {Check1, Check2, Check3, Check4, Check5, Check6, Check7, Check8, Check9, Check10, Check11})
        connect(box, &QCheckBox::stateChanged, this, edited);
    for (QAbstractButton* option : Option1Group->buttons() + optVelmaronGroup->buttons())
        connect(option, &QAbstractButton::toggled, this, edited);
    connect(tbDays, &QLineEdit::textChanged, this, edited);
    connect(DTPickerStart, &QDateEdit::dateChanged, this, edited);
    connect(DTPickerEnd, &QDateEdit::dateChanged, this, edited);
}

void Form1::Form_Load() {
    tall = false;
    wide = QFileInfo(programDirectory + QLatin1Char('/') + QLatin1String(WideMarkerFile)).isFile();
    setFixedSize(toPixels(wide ? WideClientWidth : NarrowClientWidth),
                 toPixels(NormalClientHeight));

    const QDate day = today ? today() : QDate::currentDate();
    DTPickerStart->setDate(day.addDays(-366));
    DTPickerEnd->setDate(day);

    move(toPixels(100), toPixels(100));
    lblVersion->setText(
        WindowTexts::RevisionText(ProgramVersionMajor, ProgramVersionMinor, ProgramVersionPatch));
    Label1[0]->setText(WindowTexts::CopyrightText(day.year()));
    setTopTwips(cmdHelp, 50);
}

// A device that is plugged in already shows its settings as soon as the window is there: the
// first scan follows the first activation, which would otherwise undo what it shows, or a
// moment after the window is shown where no window manager activates it. The poll goes on
// every 500 ms from this tick on.
void Form1::firstScan() {
    if (firstScanDone || !Timer1->isActive())
        return;
    firstScanDone = true;
    Timer1->start();
    Timer1_Timer();
}

void Form1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!firstScanDone)
        QTimer::singleShot(FirstScanWaitMs, this, &Form1::firstScan);
}

void Form1::Form_Activate() {
    lblMessage->setText(QString());
    if (workflow_) // else it waits for a device already
        workflow_->workflow.restart();
}

void Form1::Form_Unload() {
    Timer1->stop();
    FrmInfo::Unload();
}

void Form1::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void Form1::cmdHelp_Click() {
    // Loading it afresh rebuilds its text from the current status.
    FrmInfo::Unload();
    FrmInfo::Load(lblMessage->text())->showNonModal();
}

void Form1::lblSWVersion_Click() {
    // An open information window is only brought forward and keeps its text.
    FrmInfo::Load(lblMessage->text())->showNonModal();
}

void Form1::setTallLayout(bool tallLayout) {
    tall = tallLayout;
    if (tall && Image1->pixmap().isNull())
        Image1->setPixmap(devicePicture());
    // Within the screen: the tall layout's band gets shorter where the screen is too low.
    screenFit->setWantedHeight(toPixels(tall ? TallClientHeight : NormalClientHeight), tall);
}

// Tab and Shift+Tab pass over the controls parked outside the visible area.
bool Form1::focusNextPrevChild(bool next) {
    QWidget* target = nextReachable(this, focusWidget(), next);
    if (target == nullptr)
        return false;
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool Form1::isTallLayout() const {
    return tall;
}

bool Form1::isWide() const {
    return wide;
}

// Activation counts when the window is first shown and when the user comes back to it from
// the information window. Coming back from a message box or from another program must not
// count: a user who looks at the file manager while the tool waits for the cable keeps the run.
// Only windows of this program are remembered, so a short loss of focus between two of them
// changes nothing.
void Form1::focusWindowChanged(QWindow* focus) {
    if (focus == nullptr)
        return;
    if (focus == windowHandle()) {
        const bool first = !activatedBefore;
        activatedBefore = true;
        const bool activates = first || lastFocusWasInfo;
        lastFocusWasInfo = false;
        if (activates)
            Form_Activate();
        if (first && Timer1->isActive())
            QMetaObject::invokeMethod(this, &Form1::firstScan, Qt::QueuedConnection);
        return;
    }
    const FrmInfo* info = FrmInfo::instance();
    lastFocusWasInfo = info != nullptr && info->windowHandle() == focus;
}

} // namespace velmaron
