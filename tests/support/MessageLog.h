#pragma once
#include "common/widgets/Messages.h"

#include <QStringList>

namespace wel::test {

// Message boxes noted instead of shown; confirmations answered as set.
struct MessageLog : msg::Recorder {
    QStringList seen;  // "kind: text"
    QStringList texts; // the texts alone
    QStringList details; // the details parts of error boxes
    bool ok = true;
    MessageLog() { msg::setRecorder(this); }
    ~MessageLog() override { msg::setRecorder(nullptr); }
    void shown(const QString& kind, const QString& text) override
    {
        seen << kind + QStringLiteral(": ") + text;
        texts << text;
    }
    void shownDetails(const QString& d) override { details << d; }
    bool answer(const QString&) override { return ok; }
    QString last() const { return seen.isEmpty() ? QString() : seen.last(); }
};

} // namespace wel::test
