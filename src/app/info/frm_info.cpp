#include "app/info/frm_info.h"

#include "app/twips.h"
#include "app/window_look.h"
#include "app/window_texts.h"

#include <QLabel>
#include <QPointer>

namespace velmaron {

namespace {

constexpr int ClientWidth = 5730;
// The label's height; the window is sized to it, so the whole text stays in view.
constexpr int InfoHeight = 7935;

QPointer<FrmInfo>& loaded() {
    static QPointer<FrmInfo> window;
    return window;
}

} // namespace

FrmInfo* FrmInfo::instance() {
    return loaded().data();
}

FrmInfo* FrmInfo::Load(const QString& mainStatus) {
    if (loaded().isNull())
        loaded() = new FrmInfo(mainStatus);
    return loaded().data();
}

void FrmInfo::Unload() {
    delete loaded().data();
}

FrmInfo::FrmInfo(const QString& mainStatus) {
    setObjectName(QStringLiteral("frmInfo"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(WindowTexts::InfoTitle);
    applyWindowLook(this);

    lblInfo = new QLabel(this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setTextFormat(Qt::PlainText);
    lblInfo->setWordWrap(true);
    lblInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeTwips(lblInfo, 120, 120, 5535, InfoHeight);
    Form_Load(mainStatus);
}

void FrmInfo::Form_Load(const QString& mainStatus) {
    lblInfo->setText(WindowTexts::InfoText(mainStatus));
    setFixedSize(toPixels(ClientWidth), toPixels(InfoHeight));
}

void FrmInfo::showNonModal() {
    show();
    raise();
    activateWindow();
}

} // namespace velmaron
