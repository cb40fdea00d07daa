// One paint of the WRAU graph page at its design size, with every list of
// every MDB scored. Run with --benchmark_repetitions for a median.
#include "administration/Snr50.h"
#include "controls/Canvas.h"
#include "controls/Fonts.h"
#include "pages/WrauGraphDrawing.h"
#include "record/ClientRecord.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace {

TClientRecord ScoredRecord()
{
    TClientRecord record;
    record.InitNewRecord(QDate(2024, 5, 17), QLocale::c());
    for (int m = 0; m < TClientRecord::MdbCount; ++m) {
        TMdbBlock block = record.Mdb(m);
        for (int slot = 8; slot < 16; ++slot)
            block.SetWrau(slot, float(10 * (slot - 8) + 7 * m - 15));
    }
    RecomputeSnr50(record);
    return record;
}

void PaintGraphPage(benchmark::State &state)
{
    const TClientRecord record = ScoredRecord();
    TWrauGraphDrawing graph(record, ScreenGraphStyle);
    QImage image(573, 361, QImage::Format_RGB32);
    const TCanvasFont surfaceFont{QStringLiteral("MS Sans Serif"), 11, 0, Qt::black};
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        TCanvas canvas(painter, image.size(), surfaceFont);
        graph.Paint(canvas);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(PaintGraphPage)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
