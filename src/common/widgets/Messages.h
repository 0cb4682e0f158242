#pragma once
#include <QString>

class QWidget;

namespace wel::msg {

// The message boxes every screen uses. Texts are shown exactly as given; a
// "\r" in a system message starts a new line.
void info(QWidget* parent, const QString& text);
void warning(QWidget* parent, const QString& text);
void error(QWidget* parent, const QString& text);
// An error box whose "details" part holds what the clerk does not need to
// read but whoever helps him does (the failing statement).
void error(QWidget* parent, const QString& text, const QString& details);
// OK / Cancel; true for OK.
bool confirm(QWidget* parent, const QString& text);

// Tests replace the boxes with a recorder so that nothing waits for a click.
struct Recorder {
    virtual ~Recorder() = default;
    virtual void shown(const QString& kind, const QString& text) = 0;
    virtual void shownDetails(const QString& details) {} // after shown() of an error with details
    virtual bool answer(const QString& text) { return true; } // for confirm()
};
void setRecorder(Recorder* r); // nullptr restores the real boxes

} // namespace wel::msg
