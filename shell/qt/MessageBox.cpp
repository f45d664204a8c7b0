#include "shell/qt/MessageBox.h"

#include <utility>

#include <QApplication>
#include <QMessageBox>

#include "shell/General.h"

namespace slanter {

namespace {

QMessageBox::Icon IconOf(int flags) {
    switch (flags & 0xF0) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case kWarningBox:
        return QMessageBox::Warning;
    case kInformationBox:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

int ShowPlatformMessageBox(const QString& text, int flags, const QString& fullCaption) {
    // Texts break lines with CR LF; a lone CR would show as a glyph.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(IconOf(flags), fullCaption, shown, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return kOkButton;
}

MessageBoxShower& CurrentShower() {
    static MessageBoxShower shower;
    return shower;
}

} // namespace

int AppMessageBox(const QString& text, int flags, const QString& caption) {
    const QString fullCaption =
        QStringLiteral("  ") + (caption.isEmpty() ? QString::fromStdString(Title) : caption);
    const MessageBoxShower& shower = CurrentShower();
    return shower ? shower(text, flags, fullCaption)
                  : ShowPlatformMessageBox(text, flags, fullCaption);
}

MessageBoxShower SetMessageBoxShower(MessageBoxShower shower) {
    return std::exchange(CurrentShower(), std::move(shower));
}

} // namespace slanter
