#include "platform/qt/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

int QtMessageBoxes::show(const QString& text, int buttons, int icon, const QString& title)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.isEmpty() ? applicationTitle() : title);
    box.setTextFormat(Qt::PlainText);
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    box.setText(plain);
    switch (icon) {
    case MsgBox::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgBox::Question: box.setIcon(QMessageBox::Question); break;
    case MsgBox::Exclamation: box.setIcon(QMessageBox::Warning); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    switch (buttons) {
    case MsgBox::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MsgBox::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Retry);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return MsgBox::Yes;
    case QMessageBox::No: return MsgBox::No;
    case QMessageBox::Retry: return MsgBox::Retry;
    case QMessageBox::Cancel: return MsgBox::Cancel;
    default: return MsgBox::Ok;
    }
}
