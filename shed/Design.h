#pragma once

#include "Wall.h"

#include <QList>
#include <QString>
#include <QStringList>

// The shed as a builder reads it from the data file: typed values, lengths in inches.
namespace corvelle::shed {

enum class FloorType { Gravel, Concrete, Wood, Blocks };
enum class Lumber { TwoByFour, TwoBySix };   // joists and studs
enum class Siding { Vinyl, Vertical, Plywood, Tin };
enum class Sides { None, Front, Rear, Both }; // door and ramp locations
enum class RoofType { Gable, Barn };          // "Barn" is a gambrel roof
enum class Shading { Wireframe = 1, HiddenLine = 2, Flat = 3, Smooth = 4 };

inline bool hasFront(Sides s) { return s == Sides::Front || s == Sides::Both; }
inline bool hasRear(Sides s) { return s == Sides::Rear || s == Sides::Both; }

// A window in a wall; lengths in inches.
struct Window {
    Wall wall = Wall::Front;
    double center = 0; // from the wall's left end, as seen from outside that wall
    double width = 0;  // of the unit; its rough opening is a little larger
    double height = 0;
    double sill = 0; // the unit's bottom above the floor's top

    bool operator==(const Window &) const = default;
};

struct Design {
    double width = 144;          // along X (line 1)
    double depth = 192;          // along Z (line 2)
    double wallHeight = 96;      // line 3, fixed at 8 ft by the wizard
    FloorType floor = FloorType::Concrete;
    Lumber lumber = Lumber::TwoBySix;
    double joistWidth = 1.5;     // line 6
    double joistHeight = 5.5;    // line 8
    double joistCenters = 16;    // line 9
    double slabThickness = 6;    // line 10; concrete only
    double deckThickness = 0.25; // line 13
    double sheetWidth = 48;      // line 12
    double sheetLength = 96;     // line 11
    int blockRows = 0;           // line 14
    double blockWidth = 7.75;    // lines 15, 16
    double blockHeight = 7.75;
    double blockLength = 16;     // line 17
    double studDepth = 5.5;      // line 21: the wall's thickness
    double studThickness = 1.5;  // line 22
    double studCenters = 16;     // line 24
    double innerHeight = 120;    // line 25: the walls' height
    bool lining = false;         // line 31
    double liningThickness = 0.5; // line 34
    Siding siding = Siding::Vinyl;
    double sidingWidth = 96;     // line 40
    double sidingHeight = 6;     // line 41
    double sidingThickness = 0.5; // line 42
    QString outerWallMaterial = QStringLiteral("Cobalt"); // line 44
    Sides door = Sides::Front;   // line 45
    double doorWidth = 48;       // line 47
    double doorHeight = 84;      // line 48
    double doorThickness = 6;    // line 49
    Sides ramp = Sides::None;    // line 50
    double rampLength = 96;      // line 52
    RoofType roof = RoofType::Gable;
    double roofSupportHeight = 5.5;  // line 55
    double roofSupportDepth = 2.5;   // line 56
    double roofSupportSpacing = 16;  // line 57
    double overhangX = 12;       // line 58 (the file says feet; read as inches)
    double overhangZ = 12;       // line 59
    double roofThickness = 0.5;  // line 60
    bool trusses = true;         // line 61
    Shading shading = Shading::Smooth;
    QList<Window> windows;       // from a project file; the data file has none

    // Lines 58 and 59 as the file gave them where its feet were read as inches.
    struct InchReading {
        int line;
        const char *what;
        const char *where;
        double value;
    };
    QList<InchReading> inchReadings;

    QStringList warnings; // what the reader assumed, one sentence each: a user can act on them
    QStringList notes;    // how it read values the wizard always writes (designNotes), in the read's units
};

} // namespace corvelle::shed
