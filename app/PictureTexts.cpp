#include "app/PictureTexts.h"

#include <QHash>

#include <iterator>

namespace corvelle {

namespace {

// Keyed by the picture's path under ":/pictures/".
const QHash<QString, PictureText> &screenPictures()
{
    static const QHash<QString, PictureText> texts{
        {QStringLiteral("screen1/Image2"),
         {QStringLiteral("2D shed plan"),
          QStringLiteral("Line drawing of the front of a gable-roofed shed with vertical boards, a small window "
                         "and a pair of braced doors. Opens the 2D path: building styles and a width.")}},
        {QStringLiteral("screen1/Image3"),
         {QStringLiteral("3D shed model"),
          QStringLiteral("Shaded view of a red shed with a tan gable roof, a grey door and a ramp up to it. "
                         "Opens the 3D path: the shed in nine steps.")}},
        {QStringLiteral("screen3/Image1"),
         {QStringLiteral("Shed framing with width and depth arrows"),
          QStringLiteral("The shed's open wall framing on short piers; a red arrow along the short back side "
                         "marks the width, a green arrow along the long front side the depth.")}},
        {QStringLiteral("screen4/Image1"),
         {QStringLiteral("Gravel floor"), QStringLiteral("Wall framing standing directly on flat gravel ground.")}},
        {QStringLiteral("screen4/Image2"),
         {QStringLiteral("Concrete floor"),
          QStringLiteral("Wall framing on a grey concrete slab whose thick edge shows.")}},
        {QStringLiteral("screen4/Image3"),
         {QStringLiteral("Woodframe floor"),
          QStringLiteral("Wall framing on a wooden floor frame of joists, without a deck.")}},
        {QStringLiteral("screen4/Image4"),
         {QStringLiteral("Blocks floor"), QStringLiteral("Wall framing on a plywood deck raised on concrete blocks.")}},
        {QStringLiteral("screen5/Image1"),
         {QStringLiteral("Stud sizes"),
          QStringLiteral("Upright studs on a plate, labelled with the two lumber sizes, 2 by 4 and 2 by 6 inches.")}},
        {QStringLiteral("screen5/Image3"),
         {QStringLiteral("Inner height"),
          QStringLiteral("Outline of the shed's gable end with an arrow for the height from the floor to the "
                         "top of the walls.")}},
        {QStringLiteral("screen6/Image2"),
         {QStringLiteral("Lining thickness"),
          QStringLiteral("Corner edge of a grey wall panel seen from above, with a mark for its thickness.")}},
        {QStringLiteral("screen7/Image1"),
         {QStringLiteral("Siding wall"), QStringLiteral("A red wall covered with narrow horizontal lap boards.")}},
        {QStringLiteral("screen7/Image2"),
         {QStringLiteral("Vertical siding wall"), QStringLiteral("A wood-coloured wall of narrow vertical boards.")}},
        {QStringLiteral("screen7/Image3"),
         {QStringLiteral("Plywood wall"),
          QStringLiteral("A wood-coloured wall of large sheets with a few horizontal joints.")}},
        {QStringLiteral("screen7/Image4"),
         {QStringLiteral("Tin wall"), QStringLiteral("A grey metal wall of wide horizontal panels.")}},
        {QStringLiteral("screen8/Image1"),
         {QStringLiteral("Plan with no door"),
          QStringLiteral("The shed's floor framing seen from above, front at the bottom, with no door.")}},
        {QStringLiteral("screen8/Image2"),
         {QStringLiteral("Plan with a front door"),
          QStringLiteral("The shed's floor framing seen from above with a door on the front edge, at the bottom.")}},
        {QStringLiteral("screen8/Image3"),
         {QStringLiteral("Plan with a back door"),
          QStringLiteral("The shed's floor framing seen from above with a door on the back edge, at the top.")}},
        {QStringLiteral("screen8/Image4"),
         {QStringLiteral("Plan with doors front and back"),
          QStringLiteral("The shed's floor framing seen from above with a door on the front and on the back edge.")}},
        {QStringLiteral("screen9/Image1"),
         {QStringLiteral("Plan with no ramp"),
          QStringLiteral("The shed seen from above with door openings front and back, and no ramp.")}},
        {QStringLiteral("screen9/Image2"),
         {QStringLiteral("Plan with a front ramp"),
          QStringLiteral("The shed seen from above with a ramp in front of the front door, at the bottom.")}},
        {QStringLiteral("screen9/Image3"),
         {QStringLiteral("Plan with a back ramp"),
          QStringLiteral("The shed seen from above with a ramp in front of the back door, at the top.")}},
        {QStringLiteral("screen9/Image4"),
         {QStringLiteral("Plan with ramps front and back"),
          QStringLiteral("The shed seen from above with a ramp at the front door and one at the back door.")}},
        {QStringLiteral("screen10/Image1"),
         {QStringLiteral("Gable roof"),
          QStringLiteral("A small shed whose roof has two plain slopes meeting at a ridge.")}},
        {QStringLiteral("screen10/Image2"),
         {QStringLiteral("Barn roof"), QStringLiteral("The same shed with a barn roof, each side in two slopes.")}},
        {QStringLiteral("screen11/Image1"),
         {QStringLiteral("Barn trusses"),
          QStringLiteral("A row of barn-shaped roof trusses, each with a bottom chord and inner web members.")}},
        {QStringLiteral("screen11/Image2"),
         {QStringLiteral("Barn supports"), QStringLiteral("A row of barn-shaped rafter frames with no web members.")}},
        {QStringLiteral("screen12/Image1"),
         {QStringLiteral("Gable trusses"),
          QStringLiteral("A row of triangular gable trusses, each with a bottom chord and inner web members.")}},
        {QStringLiteral("screen12/Image2"),
         {QStringLiteral("Gable supports"),
          QStringLiteral("A row of plain rafter pairs meeting at the ridge, with no web members.")}},
        {QStringLiteral("screen13/Image1"),
         {QStringLiteral("Wireframe shading"),
          QStringLiteral("A corner of the shed's wall and eaves with every stud, plate and rafter drawn as black "
                         "lines, seen through the surfaces.")}},
        {QStringLiteral("screen13/Image2"),
         {QStringLiteral("Hidden line shading"),
          QStringLiteral("The same corner as a line drawing with the hidden lines removed.")}},
        {QStringLiteral("screen13/Image3"),
         {QStringLiteral("Flat shading"), QStringLiteral("The same corner in flat grey shading.")}},
        {QStringLiteral("screen13/Image4"),
         {QStringLiteral("Colour shading"), QStringLiteral("The same corner in brown colour shading.")}},
    };
    return texts;
}

// The building styles 101..119: roof, then what stands out.
constexpr const char *styleFeatures[] = {
    "Gable roof; vertical boards, a tall multi-pane window in the gable end and a pair of braced doors on the "
    "long side.",
    "Barn roof; a multi-pane window in the end wall and a pair of braced doors on the long side.",
    "Steep gable roof carried down over an open bay on posts at one side; a small window high in the end wall.",
    "Gable roof with a wide overhang; a single panel door with a fan light in the gable end.",
    "Gable roof with an overhang; a pair of doors with a latch in the gable end.",
    "Gable roof; a window in the end wall, a pair of doors and a window on the long side.",
    "Clerestory roof with a raised front section and two windows; horizontal siding; windows and doors on the "
    "front.",
    "Barn roof on a long building; a pair of X-braced doors in the end wall.",
    "Gable roof with a cupola; a pair of braced doors on the long side.",
    "Gable roof; a plain end wall and a pair of doors on the long side.",
    "Barn roof; a pair of doors with a latch in the end wall.",
    "Shingled barn roof; a single X-braced door in the end wall and a window on the long side.",
    "Gable-roofed garage: a brick end wall with a window and an overhead door on the long side.",
    "Barn-roofed garage: a door, two windows and an overhead door on the long side.",
    "Large barn with a cupola and a lower side wing; sliding X-braced doors.",
    "Gable roof; herringbone-patterned walls and a panel door on the long side.",
    "Gable-roofed garage with horizontal siding: a door in the end wall, an overhead door and a window on the "
    "long side.",
    "Gable-roofed open-fronted run-in shed; a window in the end wall.",
    "Gable roof; vertical boards, a window in the end wall and a pair of doors between four windows on the long "
    "side.",
};
constexpr int FirstStyle = 101;
constexpr int StyleCount = int(std::size(styleFeatures));

} // namespace

PictureText PictureTextOf(const QString &resourcePath)
{
    const QString prefix = QStringLiteral(":/pictures/");
    if (!resourcePath.startsWith(prefix) || !resourcePath.endsWith(u".svg"))
        return {};
    return screenPictures().value(resourcePath.mid(prefix.size()).chopped(4));
}

PictureText BitmapText(int id)
{
    if (id >= FirstStyle && id < FirstStyle + StyleCount) {
        return {QStringLiteral("Building style %1").arg(id),
                QStringLiteral("Line drawing of style %1 of %2. %3")
                    .arg(id - FirstStyle + 1)
                    .arg(StyleCount)
                    .arg(QLatin1StringView(styleFeatures[id - FirstStyle]))};
    }
    switch (id) {
    case 122:
        return {QStringLiteral("Lined wall corner"),
                QStringLiteral("The top corner of a stud wall seen from inside; one wall's studs are covered with "
                               "grey inner panels, the other's are bare.")};
    case 123:
        return {QStringLiteral("Bare wall corner"),
                QStringLiteral("The top corner of a stud wall seen from inside, all studs bare, no lining.")};
    case 124:
    case 125:
    case 126: {
        const int inches = id == 124 ? 12 : id == 125 ? 16 : 24;
        return {QStringLiteral("Studs %1 inches apart").arg(inches),
                QStringLiteral("A bottom plate with studs rising from it, the space between two neighbouring studs "
                               "marked %1 inches.")
                    .arg(inches)};
    }
    default:
        return {};
    }
}

} // namespace corvelle
