// Message boxes of the program. A headless run (tubalon-calc) prints each message to
// standard error as one line and answers with the box's default button.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <exception>
#include <functional>

namespace tubalon {

enum class MsgKind { Information, Warning, Error, Question };

// Shows a message box and returns the button pressed.
QMessageBox::StandardButton
ShowMessage(QWidget* parent, MsgKind kind, const QString& title, const QString& text,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
            QMessageBox::StandardButton defaultButton = QMessageBox::Ok);

// The message of an exception that left a handler, shown as the default handler would.
void ShowException(QWidget* parent, const std::exception& e);

// Runs a handler body; an exception leaving it is shown and ends the handler.
// Returns false when one was shown.
bool GuardHandler(QWidget* parent, const std::function<void()>& body);

// Headless mode: messages go to stderr. The counter tells how many were shown.
void SetHeadlessMessages(bool on);
bool HeadlessMessages();
int MessagesShown();
// Texts of the messages shown in headless mode, oldest first.
QStringList& HeadlessLog();
// Answers headless message boxes instead of their default button (tests).
void SetHeadlessAnswer(std::function<QMessageBox::StandardButton(const QString& text)> answer);

} // namespace tubalon
