#pragma once
// Every text the window and the information window show the user, in one place: captions and
// tool tips, the texts the window sets itself, its message boxes' own lines and the
// information window's text. The German texts are the window's own and stay exactly as they
// are, typos included. What the workflow tells the user is in workflow/workflow_texts.h, the
// settings in words in config/settings_words.h.

#include "workflow/workflow_view.h"

#include <QString>
#include <string>

namespace velmaron::WindowTexts {

// The title of the main window and of every message box, and of the information window.
extern const QString ApplicationTitle;
extern const QString InfoTitle;

// Captions and tool tips, as the main window is laid out.
extern const QString Option2Captions[2];
extern const QString SelectFilesCaption;
extern const QString Check1Caption, Check1Tip;
extern const QString Check2Caption, Check2Tip;
extern const QString DaysTip, DaysCaption;
extern const QString Check3Caption, Check3Tip;
extern const QString Check4Caption, Check4Tip;
extern const QString Check5Caption, Check5Tip;
extern const QString Check11Caption, Check11Tip;
extern const QString StartCaption, EndCaption;
extern const QString Check6Caption, Check6Tip;
extern const QString Check7Caption, Check7Tip;
extern const QString Check9Caption, Check9Tip;
extern const QString Check10Caption, Check10Tip;
extern const QString Check8Caption, Check8Tip;
extern const QString FileNameCaption;
extern const QString Option1Captions[5];
extern const QString ModelCaptions[2];
extern const QString HelpCaption;
extern const QString VersionLabelStart;
extern const QString ConfigureCaption;
extern const QString StateCaption;

// Names a screen reader announces for controls without a caption of their own.
extern const QString HelpName, DiagnosticsName, ModelName;

// Option1(1) from software version 17 on, and before (with its double quote).
extern const QString EuropeanFileName;
extern const QString AbbreviatedFileNameOld;
// The status line for a device whose software reports no configuration.
extern const QString ConfigNotAvailable;

// "Rev. 1.2.3" and "© 2026 Velmaron".
QString RevisionText(int major, int minor, int patch);
QString CopyrightText(int year);

// The message box for a problem with the version file, and what the user does about it.
QString VersionFileProblemMessage(VersionFileProblem problem);
// The message box when the folder given for simulated drives does not exist.
QString MissingDrivesFolderMessage(const QString& folder);
// The log given with --log cannot be opened; reason: the system's, or that it lies on the device.
QString LogRefusedMessage(const QString& file, const std::string& reason);

// The text of the information window: the instructions and the notes on the device software
// versions, or a short notice when the device in hand has been found unsuitable. mainStatus:
// the caption of the main window's status line. Lines are joined by "\r\n".
QString InfoText(const QString& mainStatus);

} // namespace velmaron::WindowTexts
