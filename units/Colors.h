// Colours held as integer colour values (BGR, system colours negative), as stored in
// case files, and their on-screen equivalents.
#pragma once

#include <QColor>

class QWidget;

namespace tubalon {

constexpr int clWindow = -16777211;  // system window background
constexpr int clBtnFace = -16777201; // system button face
constexpr int clComputed = 14670590; // $00DFDAFE: red 254, green 218, blue 223
constexpr int clSolved = 65535;      // $0000FFFF: yellow
constexpr int clBlue = 0xFF0000;
constexpr int clBlack = 0;
constexpr int clGray = 0x808080;

QColor ToQColor(int color);

// Background colour of an edit control (TEditD or plain QLineEdit), kept as the integer value.
int ColorOf(const QWidget* w);
void SetColorOf(QWidget* w, int color);
int FontColorOf(const QWidget* w);
void SetFontColorOf(QWidget* w, int color);

} // namespace tubalon
