#pragma once
#include <QString>

class QWidget;

namespace wel::msg {

// The message boxes every screen uses. Texts are shown exactly as given; a
// "\r" in a system message starts a new line.
void info(QWidget* parent, const QString& text);
void warning(QWidget* parent, const QString& text);
void error(QWidget* parent, const QString& text);
// OK / Cancel; true for OK.
bool confirm(QWidget* parent, const QString& text);

// Tests replace the boxes with a recorder so that nothing waits for a click.
struct Recorder {
    virtual ~Recorder() = default;
    virtual void shown(const QString& kind, const QString& text) = 0;
    virtual bool answer(const QString& text) { return true; } // for confirm()
};
void setRecorder(Recorder* r); // nullptr restores the real boxes

} // namespace wel::msg
