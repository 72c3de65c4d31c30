// Preview cards of the nineteen standard maps: one small picture per map with its name, the
// kind of mission and a drawn scene of its setting. Drawn with QPainter only, so it runs
// headless; the build writes them into the img folder beside the program.
#pragma once

#include <QColor>
#include <QImage>
#include <QRgb>
#include <QString>

#include <array>
#include <string_view>

namespace quillet::mapcards {

// The size a card is designed at, in pixels.
inline constexpr int kCardWidth = 209;
inline constexpr int kCardHeight = 145;
// The size of the preview picture on the Maps page (inside its group frame), in device-independent
// pixels: the file <map>.jpg has this size, <map>@2x.jpg twice it for high-density screens, so
// that neither is scaled when shown.
inline constexpr int kPreviewWidth = 201;
inline constexpr int kPreviewHeight = 141;

// The kind of mission, read from the map name's prefix.
enum class Mission { Assassination, HostageRescue, BombDefusal, Escape, Unknown };

Mission missionOf(std::string_view mapName);
// "Assassination", "Hostage rescue", "Bomb defusal", "Escape"; "Mission" for an unknown prefix.
QString missionTitle(Mission m);
QColor missionAccent(Mission m);

// The drawn backdrop of a card; the variant picks a landmark within the scene.
enum class Scene { Forest, Sea, Snow, Airfield, City, Village, Industry, Temple, Castle, Desert, Rail };

struct CardSpec {
  const char* name;
  Scene scene;
  int variant;
  QRgb skyTop;
  QRgb skyBottom;
};

// The nineteen standard maps in the order of the Maps page.
const std::array<CardSpec, 19>& standardCards();

// One card of the given size (by default its design size), painted at twice the size and scaled
// down smoothly.
QImage drawCard(const CardSpec& card, QSize size = QSize(kCardWidth, kCardHeight));

// Writes <outDir>/img/<map>.jpg and <outDir>/img/<map>@2x.jpg for every standard map, creating
// the folder. On failure returns false and says why in *error (when given).
bool writeCards(const QString& outDir, QString* error);

}  // namespace quillet::mapcards
