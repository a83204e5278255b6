#include "platform/fake/FakeOutput.h"

#include <QAction>
#include <QMenu>
#include <QPrinter>

namespace {

QString pdfIn(const QTemporaryDir& dir)
{
    return dir.path() + QStringLiteral("/page.pdf");
}

} // namespace

FakePrinter::FakePrinter() : m_real(std::make_unique<QtPrinter>(pdfIn(m_dir))) {}

QPrinter& FakePrinter::printer()
{
    QPrinter& p = m_real->printer();
    if (!m_real->pdfFile().isEmpty())
        p.setOutputFileName(cannotStart ? m_dir.path() + QStringLiteral("/no-such-folder/page.pdf")
                                        : m_real->pdfFile());
    return p;
}

QString FakePrinter::jobError()
{
    return refusal.isEmpty() ? m_real->jobError() : refusal;
}

QString FakePrinter::pdfFile() const
{
    return m_real->pdfFile();
}

void FakePrinter::useSystemPrinter()
{
    m_real = std::make_unique<QtPrinter>();
}

void FakePrinter::standFor(const PrinterPaper& paper)
{
    m_real = std::make_unique<QtPrinter>(pdfIn(m_dir), paper);
}

bool FakeClipboard::putPicture(const QImage& picture, QString* error)
{
    ++puts;
    if (refuse) {
        if (error)
            *error = QStringLiteral("The clipboard is in use.");
        return false;
    }
    return real.putPicture(picture, error);
}

void FakePopupMenus::popup(QMenu& menu, const QPoint& globalPos)
{
    Call call{&menu, globalPos, {}};
    for (QAction* a : menu.actions())
        call.items.append(a->text());
    calls.append(call);
    QAction* chosen = m_choices.isEmpty() ? nullptr : m_choices.dequeue();
    if (chosen)
        chosen->trigger();
}

bool FakeCommonDialog::showPrinter(QPrinter& printer, int flags, QWidget* parent)
{
    calls.append(Call{flags, &printer, parent});
    if (accept && onShow)
        onShow(printer);
    return accept;
}
