// Reading one answer sheet: from the prepared image in memory, and from the scanned bitmap file
// with the black-and-white preparation.
#include "platform/QuestionDatabase.h"
#include "sheets/AnswerSheetDrawing.h"
#include "sheets/ImagingControl.h"
#include "sheets/NewScan.h"

#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The shipped layout and a sheet printed from it with one pencil mark in every field.
struct FilledSheet {
    std::vector<dvq3::ScanItem> layout;
    QTemporaryDir dir;
    QString file;
    FilledSheet() {
        dvq3::QuestionDatabase db;
        if (db.open(QStringLiteral(DVQ3_PROGRAM_DIR "/DVQ3.MDB"), false))
            if (auto items = dvq3::ReadScanItems(db))
                layout = items.value();
        QImage page(dvq3::kSheetWidth, dvq3::kSheetHeight, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        dvq3::DrawAnswerSheet(painter, layout);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(70, 70, 70));
        for (int f = 0; f < static_cast<int>(layout.size()); ++f) {
            const std::vector<QPoint> bubbles = dvq3::LayoutBubbles(layout[f], f);
            painter.drawEllipse(dvq3::BubbleCentreOnPage(bubbles[f % bubbles.size()]), 6.5, 6.0);
        }
        painter.end();
        dvq3::ImagingControl lead;
        lead.setImage(page);
        file = dir.path() + QStringLiteral("/Raw.bmp");
        (void)lead.Save(file);
    }
};

FilledSheet& Sheet() {
    static FilledSheet sheet;
    return sheet;
}

void DecodeLoadedImage(benchmark::State& state) {
    dvq3::ImagingControl lead;
    if (!lead.Load(Sheet().file) || !dvq3::PrepareSheetImage(lead)) {
        state.SkipWithError("no sheet image");
        return;
    }
    const dvq3::BitmapDC dc = lead.GetBitmapDC();
    for (auto _ : state) {
        auto sheet = dvq3::DecodeSheet(dc, Sheet().layout);
        if (!sheet)
            state.SkipWithError("the sheet does not decode");
        benchmark::DoNotOptimize(sheet);
    }
}
BENCHMARK(DecodeLoadedImage)->Unit(benchmark::kMillisecond);

void DecodeBitmapFile(benchmark::State& state) {
    for (auto _ : state) {
        dvq3::ImagingControl lead;
        if (!lead.Load(Sheet().file) || !dvq3::PrepareSheetImage(lead))
            state.SkipWithError("no sheet image");
        auto sheet = dvq3::DecodeSheet(lead.GetBitmapDC(), Sheet().layout);
        if (!sheet)
            state.SkipWithError("the sheet does not decode");
        benchmark::DoNotOptimize(sheet);
    }
}
BENCHMARK(DecodeBitmapFile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Drawing the sheet's captions needs fonts.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
