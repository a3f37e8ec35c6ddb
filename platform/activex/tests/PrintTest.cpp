#include "GuiApp.h"

#include "activex/PreviewError.h"
#include "activex/QtPrintPort.h"
#include "activex/VSPrinter.h"

#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kesto::activex;

namespace {

// The print dialog answers from a script instead of the user.
class ScriptedDialogPort : public QtPrintPort {
public:
    bool accept = true;
    int dialogs = 0;
    std::optional<QPageSize> choosePaper;

protected:
    bool runDialog(QPrinter& printer) override
    {
        ++dialogs;
        EXPECT_EQ(printer.copyCount(), 1);
        if (choosePaper)
            printer.setPageSize(*choosePaper);
        return accept;
    }
};

int pdfPageCount(const QString& file)
{
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly))
        return -1;
    // Qt writes one page object per page.
    return static_cast<int>(pdf.readAll().count("/Type /Page\n"));
}

} // namespace

class Printing : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureGuiApp();
        vp.setPrintPort(&port);
        vp.setEventHandler([this](PreviewEvent e, double) { events.push_back(static_cast<int>(e)); });
        vp.StartDoc();
        vp.NewPage();
        vp.NewPage();
        vp.EndDoc();
        events.clear();
    }
    QString pdf(const char* name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    ScriptedDialogPort port;
    VSPrinter vp;
    std::vector<int> events;
};

TEST_F(Printing, PdfPrinterNameWritesTheChosenPages)
{
    vp.setPrinterName(("PDF:" + pdf("job.pdf")).toStdString());
    vp.PrintPages(2, 3);
    EXPECT_EQ(pdfPageCount(pdf("job.pdf")), 2);
    EXPECT_EQ(port.dialogs, 0);
}

TEST_F(Printing, DialogChoiceOfPaperIsAppliedWithEvent9)
{
    vp.setPrinterName(("PDF:" + pdf("dialog.pdf")).toStdString());
    port.choosePaper = QPageSize(QPageSize::A3);
    EXPECT_TRUE(vp.ShowPrintDialog());
    EXPECT_EQ(vp.PaperSize(), 8);
    EXPECT_EQ(vp.PrinterName(), ("PDF:" + pdf("dialog.pdf")).toStdString());
    EXPECT_EQ(events, std::vector<int>{9});

    port.accept = false;
    EXPECT_FALSE(vp.ShowPrintDialog());
    EXPECT_EQ(events.size(), 1u);
}

TEST_F(Printing, UnknownPrinterAsksTheUser)
{
    vp.setPrinterName("Drucker, den es nicht gibt");
    port.accept = false;
    vp.PrintPages();
    EXPECT_EQ(port.dialogs, 1);
}

TEST_F(Printing, NoDefaultPrinterIsAnError)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    vp.setPrinterName("");
    EXPECT_THROW(vp.PrintPages(), PreviewError);
}
