#pragma once

#include "sheets/NewScan.h"

#include <QImage>
#include <QPointF>

#include <vector>

// Synthetic answer sheets: the blank sheet drawn from the ScanItem table of the built question
// database, filled with marks, then put through what a printer and a scanner do to it.
namespace sheettest {

struct Mark {
    int field, bubble;
    int grey = 70;     // pencil grey level; 205 leaves erasure residue
    double size = 1.0; // diameter as a part of the bubble's
    bool ink = false;  // blue ballpoint instead of pencil
};

struct Scan {
    double angle = 0;        // degrees, clockwise on the page, about the pivot
    QPointF pivot{425, 550}; // the page centre
    QPointF shift{0, 0};     // pixels
    double scale = 1;        // print scale, about the page centre
    int blur = 0;            // 3 x 3 box blur passes
    int speckles = 0;        // random dark dots
};

// A filled sheet and what each field should decode to, "*" added where a second mark is read.
struct Filled {
    std::vector<Mark> marks;
    std::vector<QString> values;
};

const std::vector<dvq3::ScanItem>& Layout();
QImage Blank(bool captions);
void Fill(QImage& page, const std::vector<Mark>& marks, unsigned seed = 1);
QImage Scanned(const QImage& page, const Scan& scan);
dvq3::Result<dvq3::SheetDecode> Decode(const QImage& scan);
// Every field marked at random (some left blank); with doubles, some fields also carry a faint
// second mark, erasure residue or an ink mark.
Filled RandomSheet(unsigned seed, bool doubles);
// The first field whose decode differs from the expected values, or -1.
int FirstWrongField(const dvq3::SheetDecode& sheet, const Filled& filled);

} // namespace sheettest
