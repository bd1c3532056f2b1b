// Times the display fitting: the ascending reference search against the fast one, on panels from small to
// 4K, with a warm font cache (Google Benchmark, many fits in one process) and a cold one (the first fit in
// a fresh process, timed in a child process per sample). Prints a table of both and their ratios.
//
//   bench_fitting                       everything, with the table at the end
//   bench_fitting --cold METHOD W H TEXT   one cold fit; prints its nanoseconds (used by the above)

#include "DisplayFitting.h"
#include "FontMeasurer.h"

#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QProcess>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

struct Case {
    int width;
    int height;
    const char* text;
};

const std::vector<Case> kCases = [] {
    std::vector<Case> cases;
    for (const char* text : {"0:00:00:00", "123:04:05:06"})
        for (const auto& [w, h] :
             std::vector<std::pair<int, int>>{{200, 80}, {400, 150}, {1280, 400}, {1920, 1080}, {3840, 2160}})
            cases.push_back({w, h, text});
    return cases;
}();

constexpr int kColdSamples = 5;

using Search = int (*)(QSizeF, const DisplayFitting::Measurer&);

Search searchNamed(const std::string& method)
{
    return method == "reference" ? &DisplayFitting::ascendingDigitSize : &DisplayFitting::digitSize;
}

std::string caseName(const std::string& method, const Case& c)
{
    return method + "/" + std::to_string(c.width) + "x" + std::to_string(c.height) + "/" + c.text;
}

int fit(Search search, const Case& c)
{
    const auto measure = DisplayFitting::fontMeasurer(QGuiApplication::font(), QString::fromLatin1(c.text));
    return search(QSizeF(c.width, c.height), measure);
}

// A fresh process with the font database loaded, so that only the font engines for the trial sizes
// are cold: the state of the program when the panel is first fitted.
int coldFit(const std::string& method, const Case& c)
{
    QFontDatabase::families();
    QFont warmUp = QGuiApplication::font();
    warmUp.setPixelSize(3);
    QFontMetricsF(warmUp).horizontalAdvance(QStringLiteral("0"));

    QElapsedTimer timer;
    timer.start();
    const int size = fit(searchNamed(method), c);
    const qint64 nanoseconds = timer.nsecsElapsed();
    std::printf("%lld %d\n", static_cast<long long>(nanoseconds), size);
    return 0;
}

double coldMedianNs(const char* self, const std::string& method, const Case& c)
{
    std::vector<double> samples;
    for (int i = 0; i < kColdSamples; ++i) {
        QProcess child;
        child.start(QString::fromLocal8Bit(self),
                    {QStringLiteral("--cold"), QString::fromStdString(method), QString::number(c.width),
                     QString::number(c.height), QString::fromLatin1(c.text)});
        child.waitForFinished(60000);
        samples.push_back(child.readAllStandardOutput().split(' ').value(0).toDouble());
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// Keeps each benchmark's time per fit so that the table can set them side by side.
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            nanoseconds[run.benchmark_name()] =
                run.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> nanoseconds;
};

std::string readable(double ns)
{
    char text[32];
    if (ns >= 1e6)
        std::snprintf(text, sizeof text, "%.1f ms", ns / 1e6);
    else
        std::snprintf(text, sizeof text, "%.1f us", ns / 1e3);
    return text;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QGuiApplication application(argc, argv);

    if (argc == 6 && std::string(argv[1]) == "--cold")
        return coldFit(argv[2], Case{std::atoi(argv[3]), std::atoi(argv[4]), argv[5]});

    for (const char* method : {"reference", "fast"}) {
        for (const Case& c : kCases) {
            const Search search = searchNamed(method);
            benchmark::RegisterBenchmark(caseName(method, c).c_str(), [search, c](benchmark::State& state) {
                for (auto _ : state)
                    benchmark::DoNotOptimize(fit(search, c));
            })->Unit(benchmark::kMicrosecond);
        }
    }
    benchmark::Initialize(&argc, argv);
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\n%-26s %12s %12s %10s %12s %12s %10s\n", "panel / text", "ref warm", "fast warm", "ratio", "ref cold",
                "fast cold", "ratio");
    for (const Case& c : kCases) {
        const double referenceWarm = reporter.nanoseconds[caseName("reference", c)];
        const double fastWarm = reporter.nanoseconds[caseName("fast", c)];
        const double referenceCold = coldMedianNs(argv[0], "reference", c);
        const double fastCold = coldMedianNs(argv[0], "fast", c);
        const std::string label = std::to_string(c.width) + "x" + std::to_string(c.height) + " " + c.text;
        std::printf("%-26s %12s %12s %9.0fx %12s %12s %9.0fx\n", label.c_str(), readable(referenceWarm).c_str(),
                    readable(fastWarm).c_str(), referenceWarm / fastWarm, readable(referenceCold).c_str(),
                    readable(fastCold).c_str(), referenceCold / fastCold);
    }
    return 0;
}
