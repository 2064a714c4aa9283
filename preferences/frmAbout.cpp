#include "preferences/frmAbout.h"

#include "platform/ProgramInfo.h"
#include "preferences/PreferenceTexts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korven {
namespace {

QLabel* addLabel(QWidget* parent, QVBoxLayout* layout, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    layout->addWidget(label);
    return label;
}

QFrame* separator(QWidget* parent, int index) {
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1_%1").arg(index));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

AboutInfo ProgramAboutInfo() {
    return AboutInfo{program::title(), program::description(), program::comments(), program::copyright(),
                     program::kMajor,  program::kMinor,        program::kRevision};
}

QIcon ProgramIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/korven/icons/korvenedit-32.png"));
    icon.addFile(QStringLiteral(":/korven/icons/korvenedit-64.png"));
    return icon;
}

frmAbout::frmAbout(const AboutInfo& info, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(texts::about::captionPrefix() + info.title);
    setWindowIcon(ProgramIcon());
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(ProgramIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* textColumn = new QVBoxLayout;
    QLabel* title = addLabel(this, textColumn, QStringLiteral("lblTitle"), info.title);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    title->setFont(titleFont);
    addLabel(this, textColumn, QStringLiteral("lblVersion"),
             program::aboutVersion(info.major, info.minor, info.revision));
    addLabel(this, textColumn, QStringLiteral("lblDescription"), info.description);
    addLabel(this, textColumn, QStringLiteral("lblComments"), info.comments);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(textColumn, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(separator(this, 0));
    auto* lower = new QVBoxLayout;
    addLabel(this, lower, QStringLiteral("lblCopyright"), info.copyright);
    addLabel(this, lower, QStringLiteral("lblDisclaimer"), texts::about::disclaimer());
    QLabel* qt = addLabel(this, lower, QStringLiteral("lblQtLicence"),
                          texts::about::qtLicence(QString::fromLatin1(qVersion()), program::noticesFolder()));
    qt->setTextInteractionFlags(Qt::TextSelectableByMouse);  // so the folder can be copied
    layout->addLayout(lower);

    auto* address = new QPlainTextEdit(this);
    address->setObjectName(QStringLiteral("txtAddress"));
    address->setAccessibleName(texts::about::contact());
    address->setPlainText(texts::about::homepage() + u'\n' + texts::about::mail());
    address->setReadOnly(true);
    address->setFrameShape(QFrame::NoFrame);
    address->setFocusPolicy(Qt::ClickFocus);
    address->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    address->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette palette = address->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    address->setPalette(palette);
    // Aligned with the labels above it, and exactly two lines high.
    address->document()->setDocumentMargin(0);
    address->setFixedHeight(address->fontMetrics().lineSpacing() * 2 + 4);
    layout->addWidget(address);
    layout->addWidget(separator(this, 1));

    auto* ok = new QPushButton(texts::about::ok(), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    // Esc closes through QDialog's reject, which makes OK the cancel button as well.
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);

    ok->setFocus();
    setMinimumWidth(480);
}

void ShowAboutBox(QWidget* owner) {
    frmAbout dialog(ProgramAboutInfo(), owner);
    dialog.exec();
}

}  // namespace korven
