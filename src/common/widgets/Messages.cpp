#include "Messages.h"

#include <QMessageBox>

namespace wel::msg {

namespace {
Recorder* g_recorder = nullptr;
const QString kTitle = QStringLiteral("ระบบสวัสดิการพนักงาน");

QString lines(QString text)
{
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}
} // namespace

void setRecorder(Recorder* r) { g_recorder = r; }

void info(QWidget* parent, const QString& text)
{
    if (g_recorder)
        return g_recorder->shown(QStringLiteral("info"), text);
    QMessageBox::information(parent, kTitle, lines(text));
}

void warning(QWidget* parent, const QString& text)
{
    if (g_recorder)
        return g_recorder->shown(QStringLiteral("warning"), text);
    QMessageBox::warning(parent, kTitle, lines(text));
}

void error(QWidget* parent, const QString& text)
{
    if (g_recorder)
        return g_recorder->shown(QStringLiteral("error"), text);
    QMessageBox::critical(parent, kTitle, lines(text));
}

void error(QWidget* parent, const QString& text, const QString& details)
{
    if (g_recorder) {
        g_recorder->shown(QStringLiteral("error"), text);
        return g_recorder->shownDetails(details);
    }
    QMessageBox box(QMessageBox::Critical, kTitle, lines(text), QMessageBox::Ok, parent);
    box.setDetailedText(details);
    box.exec();
}

bool confirm(QWidget* parent, const QString& text)
{
    if (g_recorder) {
        g_recorder->shown(QStringLiteral("confirm"), text);
        return g_recorder->answer(text);
    }
    return QMessageBox::question(parent, kTitle, lines(text), QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok)
        == QMessageBox::Ok;
}

} // namespace wel::msg
