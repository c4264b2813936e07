#include "units/Messages.h"

#include <QApplication>
#include <cstdio>

namespace tubalon {
namespace {
bool headless = false;
int shown = 0;
std::function<QMessageBox::StandardButton(const QString&)> answerer;
} // namespace

QStringList& HeadlessLog() {
    static QStringList log;
    return log;
}

void SetHeadlessAnswer(std::function<QMessageBox::StandardButton(const QString&)> answer) {
    answerer = std::move(answer);
}

void SetHeadlessMessages(bool on) {
    headless = on;
}
bool HeadlessMessages() {
    return headless;
}
int MessagesShown() {
    return shown;
}

QMessageBox::StandardButton ShowMessage(QWidget* parent, MsgKind kind, const QString& title,
                                        const QString& text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) {
    ++shown;
    if (headless) {
        QString line = text;
        line.replace(QChar('\n'), QChar(' '));
        std::fprintf(stderr, "%s\n", line.toUtf8().constData());
        std::fflush(stderr);
        HeadlessLog() << text;
        return answerer ? answerer(text) : defaultButton;
    }
    QMessageBox::Icon icon = QMessageBox::Information;
    switch (kind) {
    case MsgKind::Warning:
        icon = QMessageBox::Warning;
        break;
    case MsgKind::Error:
        icon = QMessageBox::Critical;
        break;
    case MsgKind::Question:
        icon = QMessageBox::Question;
        break;
    default:
        break;
    }
    QMessageBox box(icon, title.isEmpty() ? QStringLiteral("Tubalon") : title, text, buttons,
                    parent);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void ShowException(QWidget* parent, const std::exception& e) {
    ShowMessage(parent, MsgKind::Error, QStringLiteral("Tubalon"), QString::fromUtf8(e.what()));
}

bool GuardHandler(QWidget* parent, const std::function<void()>& body) {
    try {
        body();
        return true;
    } catch (const std::exception& e) {
        ShowException(parent, e);
    } catch (...) {
        ShowMessage(parent, MsgKind::Error, QStringLiteral("Tubalon"),
                    QStringLiteral("发生未知错误。"));
    }
    return false;
}

} // namespace tubalon
