// Printing through a real print queue, as a user prints: a CUPS server of the test's own (its
// own configuration, spool, state and log folders under a temporary folder, a private port,
// stopped by its process id) with one cups-pdf queue; the printer is chosen by name in the
// print dialog, a three-page document whose second page is landscape goes through QPrinter's
// native CUPS path, and the PDF the queue wrote is read back with poppler.
//
// What it takes here (Debian 12, `cups` and `printer-driver-cups-pdf`):
// - cupsd must run as root: the cups-pdf backend is installed root-only (mode 0700), and
//   cupsd runs such a backend only as root. The filters run as the unprivileged `lp`, so the
//   test's folder is opened to others for passing (mode 0711), its spool belongs to lp.
// - The queue is written into printers.conf before the server starts, with the CUPS-PDF PPD
//   copied into its ppd folder, so no administration request is needed.
// - cups-pdf writes into the submitting user's ~/PDF (its system configuration in
//   /etc/cups/cups-pdf.conf, which the test leaves alone), naming the file after the job's
//   title: the test gives the job a title of its own, waits for that file, and removes it
//   (and ~/PDF, when the test made it and it is empty again).
// - Clients find the server through CUPS_SERVER, set before Qt's printer support starts.
// Where cupsd or cups-pdf is missing or the test does not run as root, it is skipped.
#include "pdforacle.h"
#include "print/previewmodel.h"
#include "print/printdialog.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

namespace duebell {
namespace {

using test::PointsPerMillimetre;

constexpr auto StartTimeout = std::chrono::seconds(15);
constexpr auto JobTimeout = std::chrono::seconds(90);
const QString Queue = "DuebellPDF";

// A port nobody listens on now: the kernel's pick for a socket bound to port 0.
int FreePort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(s);
    return port;
}

bool WriteFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// One cupsd of the test's own, with the cups-pdf queue DuebellPDF.
class PrivateCupsServer {
public:
    ~PrivateCupsServer() { Stop(); }

    // Empty when the server runs; otherwise why it cannot run here.
    QString Start() {
        if (geteuid() != 0)
            return "cupsd can run the root-only cups-pdf backend only as root";
        const QString ppd = "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd";
        if (!QFile::exists("/usr/sbin/cupsd") || !QFile::exists(ppd) ||
            !QFile::exists("/usr/lib/cups/backend/cups-pdf"))
            return "cups or printer-driver-cups-pdf is not installed";
        if (!root_.isValid())
            return "no temporary folder";
        port_ = FreePort();
        const QString root = root_.path();
        QFile::setPermissions(root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                        QFile::ExeGroup | QFile::ExeOther);
        for (const char* folder : {"conf/ppd", "spool/tmp", "cache", "state", "log"})
            QDir(root).mkpath(folder);
        const QByteArray r = root.toUtf8();
        const QByteArray cupsd = "Listen 127.0.0.1:" + QByteArray::number(port_) +
                                 "\n"
                                 "LogLevel info\nWebInterface No\nBrowsing No\n"
                                 "DefaultAuthType None\n"
                                 "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                 "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                                 "    Allow all\n  </Limit>\n</Policy>\n";
        const QByteArray files = "User lp\nGroup lp\nSystemGroup root\n"
                                 "RequestRoot " +
                                 r + "/spool\nTempDir " + r +
                                 "/spool/tmp\n"
                                 "CacheDir " +
                                 r + "/cache\nStateDir " + r +
                                 "/state\n"
                                 "ServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
                                 "AccessLog " +
                                 r +
                                 "/log/access_log\n"
                                 "ErrorLog " +
                                 r +
                                 "/log/error_log\n"
                                 "PageLog " +
                                 r + "/log/page_log\n";
        const QByteArray printers = "<DefaultPrinter " + Queue.toUtf8() +
                                    ">\nInfo Duebell test queue\n"
                                    "MakeModel Generic CUPS-PDF Printer (no options)\n"
                                    "DeviceURI cups-pdf:/\nState Idle\nAccepting Yes\n"
                                    "Shared No\nJobSheets none none\nOpPolicy default\n"
                                    "ErrorPolicy abort-job\n</DefaultPrinter>\n";
        if (!WriteFile(root + "/conf/cupsd.conf", cupsd) ||
            !WriteFile(root + "/conf/cups-files.conf", files) ||
            !WriteFile(root + "/conf/printers.conf", printers) ||
            !QFile::copy(ppd, root + "/conf/ppd/" + Queue + ".ppd"))
            return "cannot write the server's configuration";
        server_.setProgram("/usr/sbin/cupsd");
        server_.setArguments(
            {"-f", "-c", root + "/conf/cupsd.conf", "-s", root + "/conf/cups-files.conf"});
        server_.setProcessChannelMode(QProcess::MergedChannels);
        server_.start();
        if (!server_.waitForStarted(5000))
            return "cupsd did not start";
        // Ready once it answers for the queue.
        const auto deadline = std::chrono::steady_clock::now() + StartTimeout;
        while (std::chrono::steady_clock::now() < deadline) {
            QProcess lpstat;
            lpstat.start("lpstat", {"-h", Address(), "-p", Queue});
            if (lpstat.waitForFinished(5000) && lpstat.exitCode() == 0)
                return {};
            if (server_.state() != QProcess::Running)
                return "cupsd stopped: " + QString::fromUtf8(server_.readAll());
            QThread::msleep(200);
        }
        return "cupsd did not answer within the time allowed";
    }

    // By its process id: SIGTERM, then SIGKILL when it will not go.
    void Stop() {
        if (server_.state() == QProcess::NotRunning)
            return;
        kill(static_cast<pid_t>(server_.processId()), SIGTERM);
        if (!server_.waitForFinished(10000)) {
            kill(static_cast<pid_t>(server_.processId()), SIGKILL);
            server_.waitForFinished(5000);
        }
    }

    QString Address() const { return "127.0.0.1:" + QString::number(port_); }
    QString Log() const {
        QFile log(root_.path() + "/log/error_log");
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }

private:
    QTemporaryDir root_{QDir::tempPath() + "/duebell-cups-XXXXXX"};
    QProcess server_;
    int port_ = 0;
};

// Where cups-pdf puts the PDF of a job of this user with this title.
class QueueOutput {
public:
    explicit QueueOutput(const QString& title) : title_(title) {
        const passwd* user = getpwuid(geteuid());
        folder_ = QString::fromLocal8Bit(user != nullptr ? user->pw_dir : "/root") + "/PDF";
        folderExisted_ = QDir(folder_).exists();
    }
    ~QueueOutput() {
        if (!file_.isEmpty())
            QFile::remove(file_);
        if (!folderExisted_)
            QDir().rmdir(folder_); // only when empty
    }

    // Waits, bounded, for the finished file; empty when none came.
    QString Wait() {
        const auto deadline = std::chrono::steady_clock::now() + JobTimeout;
        qint64 lastSize = -1;
        while (std::chrono::steady_clock::now() < deadline) {
            const QStringList found =
                QDir(folder_).entryList({title_ + "*.pdf"}, QDir::Files, QDir::Name);
            if (!found.isEmpty()) {
                file_ = folder_ + "/" + found.front();
                // Finished once the backend is done writing: the size has settled on a whole
                // PDF.
                const qint64 size = QFileInfo(file_).size();
                if (size > 0 && size == lastSize && test::ReadPdfInfo(file_).Pages > 0)
                    return file_;
                lastSize = size;
            }
            QThread::msleep(250);
        }
        return {};
    }

private:
    QString title_;
    QString folder_;
    QString file_;
    bool folderExisted_ = false;
};

// A page of a PDF as a grey picture, through poppler's pdftoppm (a black-box oracle).
QImage RenderPage(const QString& pdf, int page, int dpi) {
    QTemporaryDir folder;
    const QString out = folder.filePath("page");
    test::RunTool("pdftoppm", {"-singlefile", "-gray", "-png", "-r", QString::number(dpi), "-f",
                               QString::number(page), "-l", QString::number(page), pdf, out});
    return QImage(out + ".png");
}

// The box of the ink (dark pixels) inside a window of a rendered page, both in points.
QRectF InkBox(const QImage& image, const QRectF& window, int dpi) {
    const double scale = dpi / 72.0;
    const QRect pixels =
        QRectF(window.topLeft() * scale, window.size() * scale).toAlignedRect() & image.rect();
    int left = pixels.right() + 1, right = -1, top = pixels.bottom() + 1, bottom = -1;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0)
        return {};
    return QRectF(left / scale, top / scale, (right - left + 1) / scale,
                  (bottom - top + 1) / scale);
}

// A box of a landscape page (width 'pageWidth', points) where a printer that turns the page
// onto a portrait sheet, a quarter turn counter-clockwise, puts it.
QRectF TurnedOntoPortrait(const QRectF& box, double pageWidth) {
    return QRectF(QPointF(box.top(), pageWidth - box.right()),
                  QPointF(box.bottom(), pageWidth - box.left()));
}

TEST(PrintQueue, AMixedOrientationJobThroughCupsPdfComesOutAsLaidOut) {
    PrivateCupsServer server;
    if (QString why = server.Start(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    qputenv("CUPS_SERVER", server.Address().toUtf8());
    ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(Queue))
        << server.Log().toStdString();

    TPqPreviewModel model;
    TPqCanvas& canvas = model.Canvas();
    canvas.Font().SetSize(24);
    for (int n = 1; n <= 3; ++n) {
        if (n > 1)
            model.NewPage();
        canvas.TextOut(20, 30, "Page" + std::to_string(n));
        canvas.TextOut(120, 150, "Here" + std::to_string(n));
    }
    model.GetPage(2).SetOrientation(pqLandscape);
    const QString title = "duebell-queue-" + QString::number(getpid());
    model.Printer().Title = title.toStdString();
    QueueOutput output(title);
    // The user picks the queue by name in the print dialog.
    QStringList offered;
    PrintDialogRunner previous = SetPrintDialogRunner([&](QPrinter& printer) {
        offered = QPrinterInfo::availablePrinterNames();
        printer.setPrinterName(Queue);
        return true;
    });
    const TPqPrintResult result = model.Print();
    SetPrintDialogRunner(previous);
    ASSERT_EQ(result, TPqPrintResult::Printed);
    EXPECT_TRUE(offered.contains(Queue));

    const QString file = output.Wait();
    ASSERT_FALSE(file.isEmpty()) << server.Log().toStdString();
    QFile::remove(QDir(DUEBELL_TEST_OUTPUT_DIR).filePath("printqueue_output.pdf"));
    QFile::copy(file, QDir(DUEBELL_TEST_OUTPUT_DIR).filePath("printqueue_output.pdf"));

    // The same job written by Qt as a file: its words, real text, are where the canvas put
    // them. The queue's output has the same ink in the same places, page 2 turned onto its
    // portrait sheet; its text no longer reads as text (CUPS passes it through PostScript,
    // which drops the fonts' Unicode maps), so the ink is compared.
    const QString reference = QDir(DUEBELL_TEST_OUTPUT_DIR).filePath("printqueue_reference.pdf");
    QFile::remove(reference);
    model.Printer().OutputFileName = reference;
    model.Printer().ShowPrintDialog = false;
    ASSERT_EQ(model.Print(), TPqPrintResult::Printed);
    const std::vector<test::PdfWord> words = test::ReadPdfWords(reference);
    const test::PdfInfo sent = test::ReadPdfInfo(reference);

    const test::PdfInfo info = test::ReadPdfInfo(file);
    ASSERT_EQ(info.Pages, 3);
    for (const test::PdfPageSize& sheet : info.Sizes) {
        EXPECT_NEAR(sheet.Width, 595, 1); // A4 sheets, as the paper goes through a printer
        EXPECT_NEAR(sheet.Height, 842, 1);
        EXPECT_EQ(sheet.Rotation, 0);
    }
    constexpr int Dpi = 150;
    constexpr double Tolerance = 0.5 * PointsPerMillimetre;
    constexpr double Margin = 3 * PointsPerMillimetre;
    for (int page = 1; page <= 3; ++page) {
        const bool turned = page == 2;
        EXPECT_EQ(sent.Sizes[static_cast<std::size_t>(page - 1)].Width > 700, turned) << page;
        const QImage sentPage = RenderPage(reference, page, Dpi);
        const QImage printedPage = RenderPage(file, page, Dpi);
        ASSERT_FALSE(printedPage.isNull());
        for (const std::string word : {"Page", "Here"}) {
            const QString text = QString::fromStdString(word + std::to_string(page));
            const test::PdfWord* w = test::FindWord(words, page, text);
            ASSERT_NE(w, nullptr) << text.toStdString();
            const QRectF box(QPointF(w->XMin, w->YMin), QPointF(w->XMax, w->YMax));
            const QRectF window = box.adjusted(-Margin, -Margin, Margin, Margin);
            QRectF expected = InkBox(sentPage, window, Dpi);
            QRectF printed =
                InkBox(printedPage, turned ? TurnedOntoPortrait(window, 842) : window, Dpi);
            if (turned)
                expected = TurnedOntoPortrait(expected, 842);
            ASSERT_FALSE(printed.isEmpty()) << text.toStdString();
            EXPECT_NEAR(printed.left(), expected.left(), Tolerance) << text.toStdString();
            EXPECT_NEAR(printed.top(), expected.top(), Tolerance) << text.toStdString();
            EXPECT_NEAR(printed.right(), expected.right(), Tolerance) << text.toStdString();
            EXPECT_NEAR(printed.bottom(), expected.bottom(), Tolerance) << text.toStdString();
        }
    }
    // The canvas put the words at (20 mm, 30 mm) and (120 mm, 150 mm) of each page.
    for (int page = 1; page <= 3; ++page) {
        const test::PdfWord* first = test::FindWord(words, page, "Page" + QString::number(page));
        const test::PdfWord* second = test::FindWord(words, page, "Here" + QString::number(page));
        ASSERT_TRUE(first != nullptr && second != nullptr);
        EXPECT_NEAR(first->XMin, 20 * PointsPerMillimetre, Tolerance);
        EXPECT_NEAR(first->YMin, 30 * PointsPerMillimetre, Tolerance);
        EXPECT_NEAR(second->XMin, 120 * PointsPerMillimetre, Tolerance);
        EXPECT_NEAR(second->YMin, 150 * PointsPerMillimetre, Tolerance);
    }
}

} // namespace
} // namespace duebell
