#pragma once
#include "common/widgets/Messages.h"

#include <QStringList>

namespace wel::test {

// Message boxes noted instead of shown; confirmations answered as set.
struct MessageLog : msg::Recorder {
    QStringList seen;  // "kind: text"
    QStringList texts; // the texts alone
    bool ok = true;
    MessageLog() { msg::setRecorder(this); }
    ~MessageLog() override { msg::setRecorder(nullptr); }
    void shown(const QString& kind, const QString& text) override
    {
        seen << kind + QStringLiteral(": ") + text;
        texts << text;
    }
    bool answer(const QString&) override { return ok; }
    QString last() const { return seen.isEmpty() ? QString() : seen.last(); }
};

} // namespace wel::test
