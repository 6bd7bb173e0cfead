// Speed of the remote player's hot paths: a key line through the receive
// handler to the end of its dispatch, a held key's repeat line likewise,
// filling the file list, following a
// folder's content, and what the drive and folder watch costs while idle.
#include "browserwatch.h"
#include "form1.h"
#include "inifile.h"
#include "listboxes.h"
#include "mediafiles.h"
#include "mediaplayer.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>

namespace {

QString g_media; // folder of 10,000 matching files (and some others)
ProgramContext g_context; // the settings file beside the program, no real ports

void writeCodes()
{
    for (const KeyFunction& f : kKeyFunctions)
        WritePrivateProfileString(QLatin1String(kKeySection), QLatin1String(f.settingsKey),
            QStringLiteral("NEC-00FF%1").arg(f.n * 1111, 4, 16, QLatin1Char('0')), g_context.settingsPath);
}

void feedLine(Form1& form, const QString& line)
{
    for (QChar c : line)
        form.receive(QString(c));
}

// Volume up and down alternate so the volume never sticks at a bound.
void BM_KeyLineToEndOfDispatch(benchmark::State& state)
{
    writeCodes();
    Form1 form(g_context);
    form.Form_Load();
    const QString up = form.keyTable().code(7) + QStringLiteral("\r\n");
    const QString down = form.keyTable().code(8) + QStringLiteral("\r\n");
    feedLine(form, up); // loads the setup window, as the first key does
    bool odd = false;
    for (auto _ : state) {
        feedLine(form, odd ? down : up);
        odd = !odd;
    }
    benchmark::DoNotOptimize(form.wmp1()->settings.volume());
}
BENCHMARK(BM_KeyLineToEndOfDispatch)->Unit(benchmark::kMicrosecond);

// A held volume key's repeat lines, each running the volume step again. The
// window's clock moves at the remote's pace; between holds (not timed) the
// other volume key is pressed, so the volume never sticks at a bound.
void BM_RepeatLineToEndOfDispatch(benchmark::State& state)
{
    constexpr int kRepeatsPerHold = 10;
    constexpr qint64 kFrameMs = 110;
    writeCodes();
    Form1 form(g_context);
    form.Form_Load();
    qint64 now = 0;
    form.setClock([&now] { return now; });
    const QString keys[] = { form.keyTable().code(7) + QStringLiteral("\r\n"),
        form.keyTable().code(8) + QStringLiteral("\r\n") };
    const QString repeat = QLatin1String(kRepeatCode) + QStringLiteral("\r\n");
    bool down = false;
    int repeats = 0;
    int volumeAtPress = 0;
    // The key's line and the repeats before they begin to act.
    const auto press = [&] {
        now += 1000;
        feedLine(form, keys[down]);
        volumeAtPress = form.wmp1()->settings.volume();
        for (qint64 held = kFrameMs; held < KeyRepeat::kDelayMs; held += kFrameMs) {
            now += kFrameMs;
            feedLine(form, repeat);
        }
    };
    press();
    for (auto _ : state) {
        if (repeats == kRepeatsPerHold) {
            state.PauseTiming();
            if (std::abs(form.wmp1()->settings.volume() - volumeAtPress) != 3 * kRepeatsPerHold)
                state.SkipWithError("a repeat did not step the volume");
            down = !down;
            repeats = 0;
            press();
            state.ResumeTiming();
        }
        now += kFrameMs;
        feedLine(form, repeat);
        ++repeats;
    }
}
BENCHMARK(BM_RepeatLineToEndOfDispatch)->Unit(benchmark::kMicrosecond);

void BM_UnmatchedKeyLine(benchmark::State& state)
{
    writeCodes();
    Form1 form(g_context);
    form.Form_Load();
    const QString noise = QStringLiteral("NEC-FFFFFFFF\r\n");
    feedLine(form, noise);
    for (auto _ : state)
        feedLine(form, noise);
}
BENCHMARK(BM_UnmatchedKeyLine)->Unit(benchmark::kMicrosecond);

void BM_OpenFolderOf10000Files(benchmark::State& state)
{
    FileListBox list;
    for (auto _ : state) {
        list.setPath(g_media);
        benchmark::DoNotOptimize(list.ListCount());
        state.PauseTiming();
        list.setPath(QDir::rootPath());
        state.ResumeTiming();
    }
    if (list.ListCount() != 0)
        state.SkipWithError("list did not refill");
}
BENCHMARK(BM_OpenFolderOf10000Files)->Unit(benchmark::kMillisecond);

// The listing alone, without the widget.
void BM_ListFolderOf10000Files(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ListMediaFiles(g_media));
}
BENCHMARK(BM_ListFolderOf10000Files)->Unit(benchmark::kMillisecond);

// One file copied into a shown folder of 10,000: the folder and file lists
// read again, the selection kept. The promise is under 50 ms.
void BM_RefreshFolderOf10000FilesAfterOneAdded(benchmark::State& state)
{
    DriveListBox drive1;
    DirListBox dir1;
    FileListBox file1;
    QObject::connect(&dir1, &DirListBox::Change, [&] { file1.setPath(dir1.Path()); });
    BrowserWatch watch(drive1, dir1, file1);
    dir1.setPath(g_media);
    file1.setListIndex(5000);
    QStringList added;
    for (auto _ : state) {
        state.PauseTiming();
        added << QDir(g_media).filePath(QStringLiteral("Added %1.mp3").arg(added.size()));
        QFile(added.last()).open(QIODevice::WriteOnly);
        state.ResumeTiming();
        watch.refreshFolder();
    }
    if (file1.FileName().isEmpty() || file1.ListCount() != 10000 + added.size())
        state.SkipWithError("the refresh lost the file or the selection");
    for (const QString& f : added)
        QFile::remove(f);
}
BENCHMARK(BM_RefreshFolderOf10000FilesAfterOneAdded)->Unit(benchmark::kMillisecond);

double processCpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// The drive and folder watch on an idle machine: the event loop runs for a
// second with both watches armed; the counter is the share of one core the
// process used meanwhile.
void BM_IdleDriveAndFolderWatch(benchmark::State& state)
{
    DriveListBox drive1;
    DirListBox dir1;
    FileListBox file1;
    BrowserWatch watch(drive1, dir1, file1);
    dir1.setPath(g_media);
    file1.setPath(g_media);
    double cpuMs = 0;
    double wallMs = 0;
    for (auto _ : state) {
        const double cpuStart = processCpuMs();
        QEventLoop loop;
        QTimer::singleShot(1000, &loop, &QEventLoop::quit);
        loop.exec();
        cpuMs += processCpuMs() - cpuStart;
        wallMs += 1000;
    }
    if (!watch.watchingMounts() || watch.watchedFolders().isEmpty())
        state.SkipWithError("the watches are not armed");
    state.counters["core_percent"] = 100.0 * cpuMs / wallMs;
}
BENCHMARK(BM_IdleDriveAndFolderWatch)->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    g_context.settingsPath = settingsPath();
    for (int port = 1; port <= kComPortCount; ++port)
        g_context.devices.setPath(port, QStringLiteral("/nonexistent/tty%1").arg(port));
    QTemporaryDir tmp;
    g_media = tmp.path();
    for (int i = 0; i < 10000; ++i)
        QFile(tmp.filePath(
                  QStringLiteral("Track %1.%2").arg(i, 5, 10, QLatin1Char('0')).arg(i % 3 ? "mp3" : "WAV")))
            .open(QIODevice::WriteOnly);
    for (int i = 0; i < 500; ++i)
        QFile(tmp.filePath(QStringLiteral("cover %1.txt").arg(i))).open(QIODevice::WriteOnly);
    QFile::remove(settingsPath());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    QFile::remove(settingsPath());
    return 0;
}
