#pragma once
// The program's working window: the configuration the user edits, the status of the device
// workflow and the commands. Its controls are public and carry the names that the rest of
// the program uses for them; control arrays are addressed by index.

#include "config/device_settings.h"
#include "device/drive_services.h"
#include "device/durable_save.h"
#include "workflow/workflow.h"

#include <QCoreApplication>
#include <QDate>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QButtonGroup;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTimer;
class QWindow;

namespace velmaron {

class ClickableLabel;
class HeldRepaints;
class ListLines;
class PictureBox;
class ScreenFit;
class TriStateCheckBox;

class Form1 : public QWidget {
    Q_OBJECT
public:
    using Clock = std::function<QDate()>;

    // programDirectory: where the marker file for the wide window is looked for.
    // today: the calendar day at start-up; empty means the system clock.
    explicit Form1(const QString& programDirectory = QCoreApplication::applicationDirPath(),
                   Clock today = {}, QWidget* parent = nullptr);
    ~Form1() override;

    // Page selector and options page.
    QRadioButton* Option2[2] = {};
    QGroupBox* frameSelectFiles = nullptr;
    TriStateCheckBox* Check1 = nullptr;
    TriStateCheckBox* Check2 = nullptr;
    TriStateCheckBox* Check3 = nullptr;
    TriStateCheckBox* Check4 = nullptr;
    TriStateCheckBox* Check5 = nullptr;
    TriStateCheckBox* Check6 = nullptr;
    TriStateCheckBox* Check7 = nullptr;
    TriStateCheckBox* Check8 = nullptr;
    TriStateCheckBox* Check9 = nullptr;
    TriStateCheckBox* Check10 = nullptr;
    TriStateCheckBox* Check11 = nullptr;
    QLineEdit* tbDays = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* lblStart = nullptr;
    QDateEdit* DTPickerStart = nullptr;
    QLabel* lblEnd = nullptr;
    QDateEdit* DTPickerEnd = nullptr;

    // File-name page and model choice.
    QGroupBox* frameFileName = nullptr;
    QRadioButton* Option1[5] = {};
    QGroupBox* Frame1 = nullptr;
    QRadioButton* optVelmaron[2] = {};

    // Status, commands and version line.
    QPushButton* cmdHelp = nullptr;
    ClickableLabel* lblSWVersion = nullptr;
    QLabel* lblMessage = nullptr;
    QPushButton* cmdConfigure = nullptr;
    QLabel* Label1[1] = {};
    QLabel* lblVersion = nullptr;

    // Instruction band, seen only in the tall layout.
    QLabel* lblInstruction = nullptr;
    QLabel* Image1 = nullptr;
    PictureBox* picArrowDisplay = nullptr;
    PictureBox* picNoArrow = nullptr;
    PictureBox* picOutArrow = nullptr;
    PictureBox* picInArrow = nullptr;

    // Diagnostics (wide window) and the poll timer.
    QListWidget* List1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lblState = nullptr;
    QTimer* Timer1 = nullptr;

    // Each option-button array excludes within its own container.
    QButtonGroup* Option1Group = nullptr;
    QButtonGroup* Option2Group = nullptr;
    QButtonGroup* optVelmaronGroup = nullptr;

    // Where the workflow stands and the software version it last read: the workflow's own,
    // which the window shows and its handlers go by.
    int WorkflowState() const;
    int SoftwareVersion() const;
    // Where the next arrow is drawn: at the left edge when set.
    bool ArrowShifted = false;

    // The drive services the workflow uses: simulated or the platform's, chosen at start.
    void setDriveServices(std::unique_ptr<DriveServices> services);
    // The workflow the window drives; it owns the device's reads and writes, its state and
    // what the last scan and read found.
    Workflow& workflow();
    // The poll's scan: the workflow's drive list, device index (kept when no device is found)
    // and count, and the diagnostic lines in List1.
    void ScanForDevices();
    // Reads the device's version file and shows the settings it reports.
    void FindCurrentSettings();
    // Appends a diagnostic line; within a poll tick it takes the next row of the tick's
    // lines, so that a row showing the same line already is left alone.
    void writeListLine(const QString& line);
    // The diagnostic lines of a scan or search, in place of what List1 showed; with settle
    // false, rows below them stay until the view settles.
    void showListLines(const std::vector<std::string>& lines, bool settle = true);
    // Holds back the repaints of the option and status controls until the view settles; then
    // only those that show something else than before are repainted.
    void holdRepaints();
    // Brings List1 to exactly the lines written since the tick's scan and releases held
    // repaints. Runs at the end of a tick and before anything lets the event loop run.
    void settleView();

    // Start-up and window handlers.
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void cmdHelp_Click();
    void lblSWVersion_Click();

    // Option interlocks.
    void Check8_Click();
    void Check10_Click();
    void Check11_Click();
    void Option2_Click(int Index);

    // Poll timer and arrow.
    void Timer1_Timer();
    void showArrow(QWidget* src);

    // Configure command.
    void cmdConfigure_Click();
    // The settings the controls hold, as the configure command writes them.
    DeviceSettings chosenSettings() const;
    // Handlers that may let the event loop run (message boxes, waits) count themselves
    // here; a poll tick that falls due meanwhile is skipped rather than run inside them.
    int handlersRunning = 0;
    // The file operations of the safe write onto the device; the device worker keeps them as
    // long as it needs them.
    std::shared_ptr<SaveSteps> sharedSaveSteps = std::make_shared<SaveSteps>();
    SaveSteps& saveSteps = *sharedSaveSteps;
    // Runs a function that the device worker handed over, as a handler of its own.
    void runHandedOver(const std::function<void()>& function);

    // Switches every Option1 button off, which their exclusive group alone would not allow.
    void SwitchAllOption1Off();

    // Normal layout: the options down to the version line. Tall: the instruction band too.
    void setTallLayout(bool tall);
    bool isTallLayout() const;
    bool isWide() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void createControls();
    void createOptionsPage();
    void createFileNamePage();
    void createStatusControls();
    void createInstructionBand();
    void createDiagnostics();
    void connectHandlers();
    void applyTabOrder();
    void focusWindowChanged(QWindow* focus);
    // The workflow's state and what it last found and read.
    const WorkflowFacts& facts() const;
    // Writes the state number into lblState.
    void showState();
    void firstScan();

    // The workflow with the view it shows through and the mailbox that brings its results
    // over, made and gone together in the one right order (form1_workflow_view.h).
    struct WindowWorkflow;
    std::shared_ptr<DriveServices> drives;
    std::unique_ptr<WindowWorkflow> workflow_;
    std::unique_ptr<ListLines> listLines;
    std::unique_ptr<HeldRepaints> heldRepaints;
    ScreenFit* screenFit = nullptr; // a child of the window
    QString programDirectory;
    Clock today;
    bool wide = false;
    bool tall = false;
    bool activatedBefore = false;
    bool lastFocusWasInfo = false;
    bool firstScanDone = false;
    int stateShown = -1;
    QString stateText;
};

} // namespace velmaron
