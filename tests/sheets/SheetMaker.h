#pragma once

#include "sheets/NewScan.h"

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QTransform>

#include <vector>

// Synthetic answer sheets: the blank sheet drawn from the ScanItem table of the built question
// database, filled with marks, then put through what a printer and a scanner do to it.
namespace sheettest {

struct Mark {
    int field, bubble;
    int grey = 70;     // pencil grey level: 140 to 160 is light, 205 leaves erasure residue
    double size = 1.0; // diameter as a part of the bubble's
    QColor pen{};      // a pen's ink instead of pencil
};

struct Scan {
    double angle = 0;        // degrees, clockwise on the page, about the pivot
    QPointF pivot{425, 550}; // the page centre
    QPointF shift{0, 0};     // pixels
    double scale = 1;        // print scale, about the pivot
    int blur = 0;            // 3 x 3 box blur passes
    int speckles = 0;        // random dark dots
};

// A filled sheet, what each field should decode to ("*" added where a second mark is read,
// "?" where the field is doubtful; "|" between values that are both right) and whether specks
// may make a doubtful mark of it (it is blank or lightly marked).
struct Filled {
    std::vector<Mark> marks;
    std::vector<QString> values;
    std::vector<bool> speckable;
};

const std::vector<dvq3::ScanItem>& Layout();
QImage Blank(bool captions);
void Fill(QImage& page, const std::vector<Mark>& marks, unsigned seed = 1);
QImage Scanned(const QImage& page, const Scan& scan);
// Where the scan puts a point of the page.
QTransform PageToScan(const Scan& scan);
// How far inside the scanned image the two registration boxes and every bubble lie: the
// smallest distance of their corners from the image's edge, negative when one is off it.
double ScanMargin(const Scan& scan);
dvq3::Result<dvq3::SheetDecode> Decode(const QImage& scan);
// Every field marked at random (some left blank); with doubles, fields are also marked in blue
// or black ink, lightly, or carry erasure residue, a faint or a light second mark.
Filled RandomSheet(unsigned seed, bool doubles);
// A field as read, written as Filled's values are, and whether field f reads as filled: its
// value and every flag expected (specks may add one), or a doubtful mark where none was made.
QString ReadBack(const dvq3::FieldRead& read);
bool ReadsRight(const dvq3::SheetDecode& sheet, const Filled& filled, int f);
// The first field whose decode differs from the expected values, or -1.
int FirstWrongField(const dvq3::SheetDecode& sheet, const Filled& filled);

} // namespace sheettest
