#include "MapCards.h"

#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <cmath>
#include <cstdint>
#include <initializer_list>

namespace quillet::mapcards {

Mission missionOf(std::string_view mapName) {
  if (mapName.size() > 3 && mapName[2] == '_') {
    const std::string_view prefix = mapName.substr(0, 3);
    if (prefix == "as_") return Mission::Assassination;
    if (prefix == "cs_") return Mission::HostageRescue;
    if (prefix == "de_") return Mission::BombDefusal;
    if (prefix == "es_") return Mission::Escape;
  }
  return Mission::Unknown;
}

QString missionTitle(Mission m) {
  switch (m) {
    case Mission::Assassination: return QStringLiteral("Assassination");
    case Mission::HostageRescue: return QStringLiteral("Hostage rescue");
    case Mission::BombDefusal: return QStringLiteral("Bomb defusal");
    case Mission::Escape: return QStringLiteral("Escape");
    case Mission::Unknown: break;
  }
  return QStringLiteral("Mission");
}

QColor missionAccent(Mission m) {
  switch (m) {
    case Mission::Assassination: return QColor(0xf0, 0x52, 0x4f);
    case Mission::HostageRescue: return QColor(0x4c, 0xb0, 0xff);
    case Mission::BombDefusal: return QColor(0xff, 0xb8, 0x2e);
    case Mission::Escape: return QColor(0x52, 0xd2, 0x86);
    case Mission::Unknown: break;
  }
  return QColor(0xd0, 0xd0, 0xd0);
}

const std::array<CardSpec, 19>& standardCards() {
  static const std::array<CardSpec, 19> cards{{
      {"as_forest", Scene::Forest, 0, 0xff1b2a3f, 0xffd98a56},
      {"as_oilrig", Scene::Sea, 0, 0xff26304f, 0xffe6925e},
      {"as_tundra", Scene::Snow, 0, 0xff557aa6, 0xffdce7f0},
      {"cs_747", Scene::Airfield, 0, 0xff0b1330, 0xff3d5482},
      {"cs_assault", Scene::Industry, 0, 0xff262b33, 0xff727c88},
      {"cs_backalley", Scene::City, 0, 0xff0a0e1e, 0xff323a60},
      {"cs_docks", Scene::Sea, 1, 0xff0d192b, 0xff3b5873},
      {"cs_estate", Scene::Village, 1, 0xff201838, 0xff94607e},
      {"cs_italy", Scene::Village, 0, 0xff3a5a8f, 0xfff2b46c},
      {"cs_militia", Scene::Village, 2, 0xff465d73, 0xffc2c8b0},
      {"cs_siege", Scene::Industry, 1, 0xff382c28, 0xffa5805a},
      {"de_aztec", Scene::Temple, 0, 0xff2c4641, 0xff93b09c},
      {"de_cbble", Scene::Castle, 0, 0xff4b6889, 0xffcdd6dc},
      {"de_dust", Scene::Desert, 0, 0xff3a7cc2, 0xfff4dba6},
      {"de_nuke", Scene::Industry, 2, 0xff3a4758, 0xffaebbc6},
      {"de_prodigy", Scene::Industry, 3, 0xff0f1922, 0xff385862},
      {"de_railroad", Scene::Rail, 0, 0xff342e4e, 0xffdc955f},
      {"de_train", Scene::Rail, 1, 0xff37404b, 0xffa3abab},
      {"es_trinity", Scene::City, 1, 0xff120a26, 0xff6e3062},
  }};
  return cards;
}

namespace {

constexpr double W = kCardWidth;
constexpr double H = kCardHeight;
constexpr double kHorizon = 92;  // where land or sea meets the sky
constexpr int kSupersample = 2;

// A small deterministic generator, seeded from the map name, so every build draws the same cards.
class Dice {
 public:
  explicit Dice(const char* seed) {
    for (const char* c = seed; *c; ++c) state_ = (state_ ^ static_cast<unsigned char>(*c)) * 16777619u;
    if (state_ == 0) state_ = 1;
  }
  double unit() {  // in [0, 1)
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return (state_ >> 8) / double(1u << 24);
  }
  double range(double lo, double hi) { return lo + (hi - lo) * unit(); }

 private:
  std::uint32_t state_ = 2166136261u;
};

QColor mix(const QColor& a, const QColor& b, double t) {
  return QColor::fromRgbF(
      float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
      float(a.blueF() + (b.blueF() - a.blueF()) * t), float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor withAlpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

// Everything a scene needs: the painter, the dice and the palette taken from the sky.
struct Stage {
  QPainter& p;
  Dice& dice;
  QColor skyTop, skyBottom;
  QColor far, mid, near;  // silhouettes from the horizon towards the viewer
  bool night;
  QColor lamp;  // lit windows and lights

  void poly(std::initializer_list<QPointF> pts, const QColor& c) const {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF(QList<QPointF>(pts)));
  }
  void rect(double x, double y, double w, double h, const QColor& c) const { p.fillRect(QRectF(x, y, w, h), c); }
  void ellipse(double cx, double cy, double rx, double ry, const QColor& c) const {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(cx, cy), rx, ry);
  }
  void line(double x1, double y1, double x2, double y2, const QColor& c, double width) const {
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
  }
  void glow(double cx, double cy, double r, const QColor& c) const {
    QRadialGradient g(QPointF(cx, cy), r);
    g.setColorAt(0, c);
    g.setColorAt(1, withAlpha(c, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(cx, cy), r, r);
  }
  // A wavy ridge from the left edge to the right edge, filled down to the bottom.
  void ridge(double base, double amplitude, double waves, const QColor& c) const {
    QPainterPath path;
    const double phase = dice.range(0, 6.28);
    path.moveTo(0, H);
    for (double x = 0; x <= W; x += 3) {
      const double y = base - amplitude * (0.6 * std::sin(x / W * waves * 6.28 + phase) +
                                           0.4 * std::sin(x / W * waves * 13.1 + phase * 2));
      path.lineTo(x, y);
    }
    path.lineTo(W, H);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(path);
  }
  // A row of windows on a wall, some of them lit.
  void windows(double x, double y, double w, double h, double size, double gap, double litShare) const {
    for (double wy = y + gap; wy + size <= y + h - gap; wy += size + gap)
      for (double wx = x + gap; wx + size <= x + w - gap; wx += size * 0.8 + gap)
        if (dice.unit() < litShare) rect(wx, wy, size * 0.8, size, withAlpha(lamp, int(dice.range(150, 255))));
  }
};

void pine(const Stage& s, double x, double base, double h, const QColor& c) {
  s.rect(x - h * 0.035, base - h * 0.12, h * 0.07, h * 0.12, c);
  s.poly({{x, base - h}, {x - h * 0.2, base - h * 0.52}, {x + h * 0.2, base - h * 0.52}}, c);
  s.poly({{x, base - h * 0.78}, {x - h * 0.27, base - h * 0.3}, {x + h * 0.27, base - h * 0.3}}, c);
  s.poly({{x, base - h * 0.56}, {x - h * 0.34, base - h * 0.1}, {x + h * 0.34, base - h * 0.1}}, c);
}

void leafyTree(const Stage& s, double x, double base, double h, const QColor& c) {
  s.rect(x - h * 0.05, base - h * 0.45, h * 0.1, h * 0.45, c);
  s.ellipse(x, base - h * 0.62, h * 0.3, h * 0.32, c);
  s.ellipse(x - h * 0.2, base - h * 0.5, h * 0.22, h * 0.2, c);
  s.ellipse(x + h * 0.2, base - h * 0.52, h * 0.22, h * 0.2, c);
}

void palm(const Stage& s, double x, double base, double h, const QColor& c) {
  QPainterPath trunk;
  trunk.moveTo(x - 1.2, base);
  trunk.quadTo(x - 1, base - h * 0.6, x + h * 0.12, base - h);
  trunk.lineTo(x + h * 0.12 + 1.6, base - h);
  trunk.quadTo(x + 1.4, base - h * 0.6, x + 1.2, base);
  trunk.closeSubpath();
  s.p.setPen(Qt::NoPen);
  s.p.setBrush(c);
  s.p.drawPath(trunk);
  const QPointF top(x + h * 0.12 + 0.8, base - h);
  for (double a : {-2.7, -2.2, -1.6, -1.0, -0.45, 0.1}) {
    QPainterPath frond;
    const QPointF tip(top.x() + std::cos(a) * h * 0.45, top.y() + std::sin(a) * h * 0.2 + h * 0.18);
    const QPointF bend(top.x() + std::cos(a) * h * 0.25, top.y() - h * 0.12);
    frond.moveTo(top);
    frond.quadTo(bend, tip);
    frond.quadTo(bend + QPointF(0, 2.2), top);
    s.p.drawPath(frond);
  }
}

void house(const Stage& s, double x, double base, double w, double h, double roof, const QColor& wall,
           const QColor& top, double litShare) {
  s.rect(x, base - h, w, h, wall);
  s.poly({{x - 2, base - h}, {x + w / 2, base - h - roof}, {x + w + 2, base - h}}, top);
  s.windows(x + 1, base - h + 2, w - 2, h - 4, 3.2, 2.6, litShare);
}

void forest(const Stage& s) {
  s.ridge(kHorizon - 16, 7, 1.3, s.far);
  for (double x = -4; x < W + 6; x += s.dice.range(6, 10)) pine(s, x, kHorizon + 4, s.dice.range(20, 34), s.mid);
  for (double x = -8; x < W + 10; x += s.dice.range(16, 26)) pine(s, x, H, s.dice.range(48, 70), s.near);
}

void sea(const Stage& s, int variant) {
  s.ridge(kHorizon - 3, 2.5, 2, s.far);
  QLinearGradient water(0, kHorizon, 0, H);
  water.setColorAt(0, mix(s.skyBottom, s.near, 0.35));
  water.setColorAt(1, mix(s.skyBottom, s.near, 0.85));
  s.p.fillRect(QRectF(0, kHorizon, W, H - kHorizon), water);
  for (int i = 0; i < 26; ++i) {  // glints on the waves
    const double y = s.dice.range(kHorizon + 2, H - 6);
    const double x = s.dice.range(10, W - 30);
    s.line(x, y, x + s.dice.range(4, 14), y, withAlpha(s.skyBottom.lighter(120), 110), 0.8);
  }
  if (variant == 0) {  // a drilling platform on four legs
    const QColor steel = s.near;
    for (double lx : {118.0, 132.0, 160.0, 174.0}) s.rect(lx, 66, 3, kHorizon + 10 - 66, steel);
    s.line(118, 80, 177, 96, steel, 1.2);
    s.line(118, 96, 177, 80, steel, 1.2);
    s.rect(110, 62, 74, 6, steel);
    s.rect(114, 52, 26, 10, steel);
    s.windows(114, 52, 26, 10, 2.4, 1.8, 0.7);
    // the derrick, a narrow lattice tower
    s.poly({{150, 62}, {156, 20}, {160, 20}, {166, 62}}, steel);
    for (double y = 28; y < 60; y += 7)
      s.line(152 + (y - 20) * 0.02, y, 164 - (y - 20) * 0.02, y + 5, s.skyBottom, 0.5);
    s.line(176, 62, 196, 34, steel, 1.6);  // flare boom
    s.glow(197, 31, 9, QColor(255, 170, 60, 230));
    s.ellipse(197, 32, 2, 3.2, QColor(255, 230, 150));
    s.glow(158, 18, 4, QColor(255, 60, 50, 220));
  } else {  // a quay with container cranes and a moored ship
    s.rect(0, kHorizon - 2, 120, 12, s.near);
    for (double cx : {22.0, 74.0}) {
      s.line(cx, kHorizon - 2, cx + 8, 38, s.mid, 2);
      s.line(cx + 20, kHorizon - 2, cx + 14, 38, s.mid, 2);
      s.rect(cx - 14, 34, 58, 4, s.mid);
      s.line(cx + 40, 36, cx + 40, 58, s.mid, 0.8);
      s.glow(cx + 11, 33, 4, QColor(255, 70, 60, 200));
    }
    const QColor box[] = {QColor(150, 60, 50), QColor(50, 90, 130), QColor(160, 120, 50), QColor(60, 110, 80)};
    for (int col = 0; col < 7; ++col)
      for (int row = 0; row < 1 + int(s.dice.range(0, 3)); ++row)
        s.rect(4 + col * 15, kHorizon - 8 - row * 6, 14, 5.4, mix(box[(col + row) % 4], s.near, 0.6));
    QPainterPath hull;  // the ship
    hull.moveTo(128, 84);
    hull.lineTo(207, 84);
    hull.lineTo(200, 100);
    hull.lineTo(134, 100);
    hull.closeSubpath();
    s.p.setPen(Qt::NoPen);
    s.p.setBrush(s.near);
    s.p.drawPath(hull);
    s.rect(184, 66, 16, 18, s.near);
    s.windows(184, 66, 16, 18, 2.4, 2, 0.6);
    s.rect(190, 58, 4, 8, s.near);
  }
}

void snow(const Stage& s) {
  const QColor rock = mix(s.skyTop, s.near, 0.5);
  const QColor cap(236, 242, 248);
  struct Peak {
    double x, top, half;
  };
  for (const Peak& m : {Peak{40, 30, 55}, Peak{120, 18, 60}, Peak{185, 36, 45}}) {
    s.poly({{m.x - m.half, kHorizon}, {m.x, m.top}, {m.x + m.half, kHorizon}}, rock);
    const double d = (kHorizon - m.top) * 0.32, k = m.half / (kHorizon - m.top);
    s.poly({{m.x, m.top},
            {m.x + d * k, m.top + d},
            {m.x + d * k * 0.3, m.top + d * 0.75},
            {m.x - d * k * 0.2, m.top + d * 1.05},
            {m.x - d * k, m.top + d}},
           cap);
  }
  QLinearGradient ground(0, kHorizon - 6, 0, H);
  ground.setColorAt(0, QColor(226, 234, 243));
  ground.setColorAt(1, QColor(170, 188, 210));
  QPainterPath drift;
  drift.moveTo(0, H);
  drift.lineTo(0, kHorizon);
  drift.cubicTo(60, kHorizon - 10, 130, kHorizon + 6, W, kHorizon - 6);
  drift.lineTo(W, H);
  s.p.setPen(Qt::NoPen);
  s.p.setBrush(ground);
  s.p.drawPath(drift);
  const QColor treeColor = mix(s.near, QColor(30, 50, 60), 0.5);
  for (double x : {14.0, 24.0, 168.0, 184.0, 198.0})
    pine(s, x, kHorizon + 6 + s.dice.range(-2, 4), s.dice.range(28, 44), treeColor);
  s.rect(92, kHorizon - 10, 26, 12, QColor(120, 100, 90));  // a cabin under snow
  s.poly({{89, kHorizon - 10}, {105, kHorizon - 22}, {121, kHorizon - 10}}, cap);
  s.rect(100, kHorizon - 6, 4, 4, s.lamp);
  for (int i = 0; i < 70; ++i)
    s.ellipse(s.dice.range(0, W), s.dice.range(0, H), 0.7, 0.7, QColor(255, 255, 255, int(s.dice.range(120, 230))));
}

void airfield(const Stage& s) {
  s.rect(0, kHorizon, W, H - kHorizon, s.near);
  s.poly({{70, kHorizon}, {100, kHorizon}, {170, H}, {-20, H}}, mix(s.mid, s.far, 0.4));
  for (double t = 0.08; t < 1; t += 0.16) {  // the centre line, in perspective
    const double y = kHorizon + (H - kHorizon) * t;
    const double x = 85 - (85 - 75) * t;
    s.line(x, y, x - 0.8, y + (H - kHorizon) * 0.06, QColor(230, 230, 220, 180), 0.6 + t);
  }
  for (double t = 0.05; t < 1; t += 0.1) {
    const double y = kHorizon + (H - kHorizon) * t;
    s.glow(70 - 90 * t, y, 1.5 + 2 * t, QColor(255, 220, 120, 230));
    s.glow(100 + 70 * t, y, 1.5 + 2 * t, QColor(255, 220, 120, 230));
  }
  s.rect(0, kHorizon - 14, 46, 14, s.mid);  // terminal
  s.windows(0, kHorizon - 14, 46, 14, 2.6, 1.8, 0.6);
  s.rect(30, kHorizon - 34, 6, 20, s.mid);
  s.rect(26, kHorizon - 40, 14, 7, s.mid);
  s.rect(27, kHorizon - 39, 12, 3, withAlpha(s.lamp, 160));
  // a jumbo airliner on the apron
  const QColor body = mix(QColor(190, 200, 215), s.near, 0.55);
  QPainterPath plane;
  plane.moveTo(100, 78);
  plane.cubicTo(100, 70, 106, 66, 118, 64);
  plane.cubicTo(124, 58, 134, 56, 146, 59);
  plane.lineTo(186, 64);
  plane.lineTo(196, 42);
  plane.lineTo(204, 42);
  plane.lineTo(202, 66);
  plane.lineTo(207, 70);
  plane.lineTo(200, 78);
  plane.closeSubpath();
  s.p.setPen(Qt::NoPen);
  s.p.setBrush(body);
  s.p.drawPath(plane);
  s.poly({{140, 74}, {170, 86}, {176, 86}, {162, 72}}, mix(body, s.near, 0.4));
  s.rect(150, 78, 10, 4, mix(body, s.near, 0.5));
  for (double x = 122; x < 180; x += 4) s.rect(x, 67, 1.6, 1.8, withAlpha(s.lamp, 200));
  for (double x = 130; x < 142; x += 3.5) s.rect(x, 60.5, 1.4, 1.4, withAlpha(s.lamp, 200));
  for (double x : {120.0, 160.0, 186.0}) s.line(x, 78, x, kHorizon + 1, s.near, 1.4);
  s.glow(204, 44, 3, QColor(255, 60, 50, 230));
}

void city(const Stage& s, int variant) {
  for (double x = -2; x < W;) {  // far skyline
    const double w = s.dice.range(10, 22), h = s.dice.range(18, 52);
    s.rect(x, kHorizon - h, w, h + 2, s.far);
    s.windows(x, kHorizon - h, w, h, 1.8, 2.4, 0.18);
    x += w + s.dice.range(0, 3);
  }
  if (variant == 1) {  // a lit tower on the skyline
    s.rect(120, 22, 16, 70, s.mid);
    s.rect(126, 6, 3, 16, s.mid);
    s.glow(127.5, 6, 4, QColor(255, 60, 70, 230));
    s.windows(120, 22, 16, 70, 2, 2, 0.45);
  }
  s.rect(0, kHorizon, W, H - kHorizon, s.near);
  for (double x = -4; x < W;) {  // near buildings
    const double w = s.dice.range(22, 36), h = s.dice.range(30, 62);
    if (variant == 1 && x > 100 && x < 140) {
      x += 26;
      continue;
    }
    s.rect(x, kHorizon + 8 - h, w, h, s.near);
    s.windows(x, kHorizon + 8 - h, w, h, 3, 3, 0.35);
    x += w + s.dice.range(2, 8);
  }
  if (variant == 0) {  // a fire escape and a street lamp in the alley
    const QColor iron = mix(s.near, QColor(0, 0, 0), 0.4);
    for (double y = 50; y < 92; y += 12) {
      s.rect(160, y, 24, 1.4, iron);
      s.line(162, y, 182, y + 12, iron, 0.8);
    }
    s.line(60, H, 60, 76, iron, 1.6);
    s.line(60, 76, 68, 74, iron, 1.6);
    s.glow(68, 77, 18, QColor(255, 200, 110, 150));
    s.ellipse(68, 76.5, 2.2, 1.4, QColor(255, 235, 180));
  } else {  // neon signs
    const QColor neon[] = {QColor(255, 60, 180), QColor(70, 230, 255), QColor(255, 220, 70)};
    for (int i = 0; i < 5; ++i) {
      const double x = s.dice.range(6, 190), y = s.dice.range(50, 86);
      const QColor c = neon[i % 3];
      s.glow(x + 5, y + 1.5, 10, withAlpha(c, 110));
      s.rect(x, y, 10, 3, c);
    }
  }
}

void village(const Stage& s, int variant) {
  if (variant == 0) {  // a hillside town with a bell tower
    s.ridge(kHorizon - 18, 6, 1, s.far);
    const QColor wall = mix(QColor(222, 170, 110), s.near, 0.55);
    const QColor roof = mix(QColor(190, 80, 50), s.near, 0.45);
    s.rect(92, 26, 14, 70, wall);
    s.poly({{90, 26}, {99, 14}, {108, 26}}, roof);
    s.rect(96, 32, 6, 8, s.near);
    for (double x = -6; x < W;) {
      const double w = s.dice.range(18, 30), h = s.dice.range(18, 34);
      if (x + w > 90 && x < 108) {
        x = 108;
        continue;
      }
      house(s, x, kHorizon + 8, w, h, 7, wall, roof, 0.5);
      x += w + 4;
    }
    for (double x : {8.0, 118.0, 196.0}) s.ellipse(x, kHorizon - 8, 3.4, 18, mix(QColor(30, 60, 40), s.near, 0.5));
    s.rect(0, kHorizon + 8, W, H, s.near);
  } else if (variant == 1) {  // a large house behind hedges
    s.ridge(kHorizon - 8, 4, 1.2, s.far);
    for (double x : {14.0, 34.0, 178.0, 198.0}) leafyTree(s, x, kHorizon + 6, s.dice.range(40, 56), s.mid);
    const QColor wall = mix(QColor(200, 190, 175), s.near, 0.55);
    const QColor roof = mix(QColor(70, 60, 70), s.near, 0.5);
    s.rect(48, 48, 114, 44, wall);
    s.poly({{44, 48}, {60, 36}, {150, 36}, {166, 48}}, roof);
    s.poly({{86, 48}, {105, 26}, {124, 48}}, roof);
    s.rect(90, 48, 30, 44, mix(wall, QColor(255, 255, 255), 0.08));
    for (double x = 52; x < 160; x += 10) {
      if (x > 86 && x < 122) continue;
      s.rect(x, 54, 5, 9, withAlpha(s.lamp, 220));
      s.rect(x, 72, 5, 9, withAlpha(s.lamp, s.dice.unit() < 0.6 ? 220 : 60));
    }
    for (double x = 93; x < 120; x += 8) s.rect(x, 50, 2.4, 42, mix(wall, QColor(255, 255, 255), 0.2));
    s.rect(101, 76, 8, 16, s.near);
    s.rect(0, kHorizon, W, H, s.near);
    for (double x = -6; x < W; x += 14) s.ellipse(x, kHorizon + 2, 9, 6, s.near);
  } else {  // a farmhouse and barn among hills
    s.ridge(kHorizon - 14, 8, 0.8, s.far);
    s.ridge(kHorizon, 5, 1.1, s.mid);
    const QColor barn = mix(QColor(140, 50, 40), s.near, 0.5);
    s.rect(128, 56, 40, 34, barn);
    s.poly({{124, 58}, {134, 44}, {162, 44}, {172, 58}}, mix(barn, s.near, 0.4));
    s.rect(142, 72, 12, 18, s.near);
    s.line(142, 72, 154, 90, mix(barn, QColor(255, 255, 255), 0.3), 0.8);
    s.line(154, 72, 142, 90, mix(barn, QColor(255, 255, 255), 0.3), 0.8);
    house(s, 56, 90, 44, 26, 12, mix(QColor(190, 180, 160), s.near, 0.5), mix(QColor(60, 60, 70), s.near, 0.4), 0.6);
    s.rect(52, 78, 52, 2, s.near);  // porch roof
    for (double x = 54; x < 104; x += 12) s.rect(x, 78, 1.4, 12, s.near);
    s.rect(88, 54, 4, 10, s.near);  // chimney
    s.rect(0, 90, W, H, s.near);
    for (double x = 0; x < W; x += 9) s.rect(x, 84, 1.4, 8, s.near);
    s.rect(0, 86, W, 1.2, s.near);
    leafyTree(s, 20, 92, 46, s.near);
    leafyTree(s, 196, 92, 40, s.near);
  }
}

void industry(const Stage& s, int variant) {
  s.ridge(kHorizon - 6, 3, 1.5, s.far);
  switch (variant) {
    case 0: {  // a warehouse with a sawtooth roof
      s.rect(30, 56, 130, 40, s.mid);
      for (double x = 30; x < 160; x += 16) s.poly({{x, 56}, {x, 46}, {x + 16, 56}}, s.mid);
      for (double x = 40; x < 156; x += 30) {
        s.rect(x, 74, 18, 22, s.near);
        s.rect(x + 4, 62, 10, 4, withAlpha(s.lamp, 200));
      }
      s.rect(170, 24, 8, 72, s.mid);
      s.glow(174, 22, 5, QColor(255, 70, 60, 220));
      break;
    }
    case 1: {  // a walled compound with a watchtower and a searchlight
      QPainterPath beam;
      beam.moveTo(150, 34);
      beam.lineTo(62, 0);
      beam.lineTo(94, 0);
      beam.closeSubpath();
      QLinearGradient g(150, 34, 78, 0);
      g.setColorAt(0, QColor(255, 240, 200, 130));
      g.setColorAt(1, QColor(255, 240, 200, 0));
      s.p.setPen(Qt::NoPen);
      s.p.setBrush(g);
      s.p.drawPath(beam);
      s.rect(144, 40, 3, 34, s.mid);
      s.rect(160, 40, 3, 34, s.mid);
      s.line(146, 50, 161, 66, s.mid, 1);
      s.line(161, 50, 146, 66, s.mid, 1);
      s.rect(138, 30, 31, 11, s.mid);
      s.poly({{136, 30}, {153.5, 22}, {171, 30}}, s.mid);
      s.glow(150, 35, 4, QColor(255, 245, 210, 250));
      s.rect(12, 56, 40, 20, s.mid);  // a block house behind the wall
      s.windows(12, 56, 40, 12, 2.6, 2.6, 0.5);
      const QColor concrete = mix(QColor(150, 140, 130), s.mid, 0.6);
      s.rect(0, 74, W, 22, concrete);
      for (double x = 0; x < W; x += 16) s.rect(x, 74, 0.8, 22, mix(concrete, s.near, 0.4));
      s.rect(0, 74, W, 1.4, mix(concrete, QColor(255, 255, 255), 0.15));
      for (double x = 0; x < W; x += 3) s.line(x, 70, x + 3, 72.5, s.near, 0.7);  // wire on top
      s.line(0, 71.3, W, 71.3, s.near, 0.5);
      break;
    }
    case 2: {  // a power plant: cooling tower, dome and stack
      for (int i = 0; i < 6; ++i)
        s.ellipse(62 + i * 6 + s.dice.range(-4, 4), 18 - i * 3, 16 + i * 2, 10 + i, QColor(240, 244, 248, 120));
      QPainterPath tower;
      tower.moveTo(36, 94);
      tower.cubicTo(50, 70, 44, 44, 46, 28);
      tower.lineTo(82, 28);
      tower.cubicTo(84, 44, 78, 70, 92, 94);
      tower.closeSubpath();
      QLinearGradient shade(36, 0, 92, 0);
      shade.setColorAt(0, s.mid.lighter(135));
      shade.setColorAt(1, s.mid);
      s.p.setPen(Qt::NoPen);
      s.p.setBrush(shade);
      s.p.drawPath(tower);
      s.ellipse(132, 66, 22, 22, s.mid);
      s.rect(110, 66, 44, 30, s.mid);
      s.rect(170, 20, 7, 76, s.mid);
      for (double y = 24; y < 90; y += 18) s.glow(173.5, y, 3, QColor(255, 60, 50, 220));
      s.rect(100, 82, 100, 14, s.near);
      s.windows(100, 82, 100, 14, 2.4, 2.4, 0.5);
      break;
    }
    default: {  // a hillside base with a radar dish and a mast
      s.ridge(kHorizon - 4, 14, 0.5, s.mid);
      s.line(150, 92, 150, 12, s.near, 1.6);
      s.line(150, 20, 138, 92, s.near, 0.6);
      s.line(150, 20, 162, 92, s.near, 0.6);
      s.glow(150, 11, 5, QColor(255, 60, 50, 240));
      s.line(74, 56, 70, 76, s.near, 2.4);  // the radar dish on its post, facing the sky
      s.line(74, 56, 80, 76, s.near, 2.4);
      s.p.save();
      s.p.translate(74, 50);
      s.p.rotate(-28);
      s.ellipse(0, 0, 17, 6.5, mix(s.near, QColor(200, 210, 220), 0.4));
      s.ellipse(0, -0.8, 14, 4.6, mix(s.near, QColor(200, 210, 220), 0.2));
      s.line(0, 0, 0, -12, mix(s.near, QColor(200, 210, 220), 0.4), 0.9);
      s.p.restore();
      s.rect(40, 74, 70, 22, s.near);
      s.poly({{62, 96}, {68, 82}, {84, 82}, {90, 96}}, QColor(10, 12, 14));
      s.glow(76, 84, 14, withAlpha(s.lamp, 120));
      s.windows(40, 74, 70, 10, 2.4, 2.2, 0.5);
      break;
    }
  }
  s.rect(0, kHorizon + 4, W, H, s.near);
}

void temple(const Stage& s) {
  s.ridge(kHorizon - 22, 6, 1.4, s.far);
  const QColor stone = mix(QColor(150, 140, 110), s.mid, 0.55);
  for (int i = 0; i < 5; ++i) {  // the stepped pyramid
    const double half = 56 - i * 9, top = 88 - (i + 1) * 11;
    s.rect(104 - half, top, half * 2, 11, mix(stone, s.near, 0.06 * (5 - i)));
    s.rect(104 - half, top, half * 2, 1.2, mix(stone, QColor(255, 255, 255), 0.15));
  }
  s.rect(96, 21, 16, 12, mix(stone, s.near, 0.2));
  s.rect(101, 25, 6, 8, s.near);
  s.poly({{98, 88}, {101, 33}, {107, 33}, {110, 88}}, mix(stone, s.near, 0.3));
  for (double y = 36; y < 88; y += 3) s.line(100, y, 108, y, mix(stone, QColor(255, 255, 255), 0.1), 0.5);
  QLinearGradient mist(0, 58, 0, 96);  // the mist in the valley
  mist.setColorAt(0, QColor(230, 240, 235, 0));
  mist.setColorAt(1, QColor(230, 240, 235, 120));
  s.p.fillRect(QRectF(0, 58, W, 38), mist);
  for (double x = -6; x < W + 6; x += s.dice.range(12, 20)) {
    if (x > 60 && x < 150) continue;
    leafyTree(s, x, kHorizon + 6, s.dice.range(30, 52), s.mid);
  }
  s.rect(0, kHorizon + 2, W, H, s.near);
  palm(s, 18, H, 70, s.near);
  palm(s, 188, H, 62, s.near);
  s.p.setPen(QPen(QColor(220, 235, 240, 70), 0.6));  // rain
  for (int i = 0; i < 60; ++i) {
    const double x = s.dice.range(0, W + 10), y = s.dice.range(0, H);
    s.p.drawLine(QPointF(x, y), QPointF(x - 2, y + 7));
  }
}

void castle(const Stage& s) {
  s.ridge(kHorizon - 10, 5, 1.2, s.far);
  const QColor stone = mix(QColor(150, 150, 145), s.mid, 0.45);
  const QColor joint = mix(stone, s.near, 0.35);
  auto battlements = [&](double x, double y, double w) {
    for (double bx = x; bx + 4 <= x + w + 0.1; bx += 7) s.rect(bx, y - 5, 4, 5, stone);
  };
  s.rect(20, 52, 170, 44, stone);
  battlements(20, 52, 170);
  for (double y = 56; y < 96; y += 5)  // courses of masonry
    for (double x = 20 + (int(y) % 2) * 5; x < 190; x += 10) {
      s.rect(x, y, 0.6, 5, joint);
      s.rect(20, y, 170, 0.6, joint);
    }
  for (double tx : {14.0, 160.0}) {
    s.rect(tx, 30, 36, 66, stone);
    battlements(tx, 30, 36);
    s.rect(tx + 15, 40, 5, 10, s.near);
  }
  QPainterPath gate;
  gate.moveTo(90, 96);
  gate.lineTo(90, 72);
  gate.arcTo(QRectF(90, 62, 30, 22), 180, -180);
  gate.lineTo(120, 96);
  gate.closeSubpath();
  s.p.setPen(Qt::NoPen);
  s.p.setBrush(s.near);
  s.p.drawPath(gate);
  s.p.setPen(QPen(joint, 0.8));
  for (double x = 94; x < 118; x += 5) s.p.drawLine(QPointF(x, 70), QPointF(x, 96));
  s.line(178, 30, 178, 12, s.near, 1);
  s.poly({{178, 12}, {190, 15}, {178, 18}}, QColor(170, 40, 40));
  s.rect(0, kHorizon + 4, W, H, s.near);
}

void desert(const Stage& s) {
  s.glow(150, 36, 40, QColor(255, 250, 220, 200));
  s.ellipse(150, 36, 9, 9, QColor(255, 253, 235));
  const QColor sandstone(214, 176, 120);
  const QColor shadow(170, 128, 82);
  s.ridge(kHorizon - 6, 5, 0.7, QColor(226, 192, 140));
  // flat-roofed buildings, one with a dome and an arch
  s.rect(26, 52, 44, 44, sandstone);
  s.rect(26, 52, 10, 44, shadow);
  s.ellipse(52, 52, 12, 10, sandstone);
  s.rect(40, 52, 24, 3, shadow);
  s.rect(72, 64, 34, 32, sandstone);
  s.rect(72, 64, 34, 3, shadow);
  QPainterPath arch;
  arch.moveTo(82, 96);
  arch.lineTo(82, 80);
  arch.arcTo(QRectF(82, 74, 14, 12), 180, -180);
  arch.lineTo(96, 96);
  arch.closeSubpath();
  s.p.setPen(Qt::NoPen);
  s.p.setBrush(QColor(90, 60, 40));
  s.p.drawPath(arch);
  s.rect(46, 64, 6, 8, QColor(90, 60, 40));
  s.rect(34, 70, 5, 7, QColor(90, 60, 40));
  s.rect(150, 70, 60, 26, sandstone);
  s.rect(150, 70, 60, 3, shadow);
  s.rect(170, 82, 14, 14, QColor(90, 60, 40));
  for (int i = 0; i < 4; ++i) s.rect(118 + i * 7, 88 - i * 3, 6, 3, mix(sandstone, shadow, 0.4 + i * 0.1));
  QPainterPath dune;
  dune.moveTo(0, H);
  dune.lineTo(0, 96);
  dune.cubicTo(60, 88, 120, 104, W, 94);
  dune.lineTo(W, H);
  QLinearGradient sand(0, 90, 0, H);
  sand.setColorAt(0, QColor(232, 196, 140));
  sand.setColorAt(1, QColor(190, 140, 86));
  s.p.setPen(Qt::NoPen);
  s.p.setBrush(sand);
  s.p.drawPath(dune);
  palm(s, 132, 96, 44, QColor(70, 80, 40));
}

void rail(const Stage& s, int variant) {
  if (variant == 0) {  // mountains and a track running into the distance
    s.ridge(kHorizon - 30, 16, 0.9, s.far);
    s.ridge(kHorizon - 8, 8, 1.6, s.mid);
    s.rect(0, kHorizon, W, H - kHorizon, s.near);
    const double vx = 112;  // vanishing point
    const QColor sleeper = mix(s.near, s.skyBottom, 0.25);
    for (double t = 0.02; t < 1; t *= 1.32) {
      const double y = kHorizon + (H - kHorizon) * t;
      const double half = 4 + 86 * t;
      s.rect(vx - half * 1.25, y, half * 2.5, 0.6 + 3 * t, sleeper);
    }
    const QColor steel = mix(s.skyBottom, QColor(255, 255, 255), 0.3);
    s.line(vx - 3, kHorizon, vx - 90, H, steel, 1.6);
    s.line(vx + 3, kHorizon, vx + 90, H, steel, 1.6);
    s.glow(vx, kHorizon - 4, 10, QColor(255, 240, 180, 200));  // an engine's headlight far away
    s.rect(vx - 4, kHorizon - 10, 8, 10, s.near);
    for (double x : {26.0, 196.0}) {
      s.line(x, H, x, 48, s.near, 1.6);
      s.line(x - 8, 52, x + 8, 52, s.near, 1.2);
    }
    s.line(26, 52, 196, 52, withAlpha(s.near, 200), 0.5);
  } else {  // a freight yard under floodlights
    s.ridge(kHorizon - 18, 4, 1.2, s.far);
    for (double x : {40.0, 170.0}) {
      s.line(x, kHorizon, x, 20, s.mid, 1.8);
      s.rect(x - 7, 18, 14, 4, s.mid);
      s.glow(x, 22, 26, QColor(255, 235, 190, 90));
    }
    s.rect(0, kHorizon - 4, W, H, s.near);
    const QColor car[] = {QColor(120, 60, 45), QColor(60, 80, 100), QColor(90, 90, 85)};
    double x = -10;
    for (int i = 0; x < W; ++i) {
      const double w = s.dice.range(38, 50);
      const QColor c = mix(car[i % 3], s.near, 0.45);
      if (i % 3 == 2) {  // a tank car
        s.p.setPen(Qt::NoPen);
        s.p.setBrush(c);
        s.p.drawRoundedRect(QRectF(x, 66, w, 16), 8, 8);
        s.rect(x + w / 2 - 3, 62, 6, 4, c);
      } else {  // a boxcar
        s.rect(x, 60, w, 22, c);
        s.rect(x + w / 2 - 6, 63, 12, 17, mix(c, s.near, 0.3));
        for (double rx = x + 3; rx < x + w - 1; rx += 6) s.rect(rx, 60, 0.6, 22, mix(c, s.near, 0.2));
      }
      s.rect(x + 2, 82, w - 4, 3, s.near);
      s.ellipse(x + 8, 86, 3, 3, s.near);
      s.ellipse(x + w - 8, 86, 3, 3, s.near);
      x += w + 3;
    }
    const QColor steel = mix(s.skyBottom, QColor(255, 255, 255), 0.25);
    for (double y : {89.0, 108.0, 130.0}) {
      s.rect(0, y, W, 1, steel);
      s.rect(0, y + 5 + (y - 89) * 0.1, W, 1.2, steel);
    }
  }
}

void drawScene(const Stage& s, const CardSpec& card) {
  switch (card.scene) {
    case Scene::Forest: forest(s); break;
    case Scene::Sea: sea(s, card.variant); break;
    case Scene::Snow: snow(s); break;
    case Scene::Airfield: airfield(s); break;
    case Scene::City: city(s, card.variant); break;
    case Scene::Village: village(s, card.variant); break;
    case Scene::Industry: industry(s, card.variant); break;
    case Scene::Temple: temple(s); break;
    case Scene::Castle: castle(s); break;
    case Scene::Desert: desert(s); break;
    case Scene::Rail: rail(s, card.variant); break;
  }
}

void drawSky(const Stage& s) {
  QLinearGradient sky(0, 0, 0, kHorizon + 6);
  sky.setColorAt(0, s.skyTop);
  sky.setColorAt(1, s.skyBottom);
  s.p.fillRect(QRectF(0, 0, W, H), sky);
  if (s.night) {
    for (int i = 0; i < 55; ++i) {
      const double x = s.dice.range(0, W), y = s.dice.range(0, kHorizon * 0.7), r = s.dice.range(0.3, 0.8);
      s.ellipse(x, y, r, r, QColor(255, 255, 255, int(s.dice.range(90, 230))));
    }
    const QPointF moon(s.dice.range(120, 190), s.dice.range(14, 26));
    s.glow(moon.x(), moon.y(), 16, QColor(220, 230, 255, 70));
    s.ellipse(moon.x(), moon.y(), 5.5, 5.5, QColor(240, 242, 232));
    s.ellipse(moon.x() + 2.4, moon.y() - 1.2, 4.8, 4.8, s.skyTop);
  } else {
    s.glow(W * 0.5, kHorizon, W * 0.6, withAlpha(s.skyBottom.lighter(125), 140));
  }
}

void drawEmblem(QPainter& p, Mission m, const QPointF& c, double r) {
  const QColor accent = missionAccent(m);
  p.setPen(QPen(accent, 1.4));
  p.setBrush(QColor(10, 12, 18, 150));
  p.drawEllipse(c, r, r);
  const QColor ink(250, 250, 250);
  const double u = r / 12;  // the icons are drawn on a 24-unit circle
  auto at = [&](double x, double y) { return QPointF(c.x() + x * u, c.y() + y * u); };
  switch (m) {
    case Mission::Assassination: {  // a sight's reticle
      p.setPen(QPen(ink, 1.2 * u));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(c, 6 * u, 6 * u);
      for (auto [x1, y1, x2, y2] : {std::array{-9.0, 0.0, -3.0, 0.0}, std::array{3.0, 0.0, 9.0, 0.0},
                                    std::array{0.0, -9.0, 0.0, -3.0}, std::array{0.0, 3.0, 0.0, 9.0}})
        p.drawLine(at(x1, y1), at(x2, y2));
      p.setPen(Qt::NoPen);
      p.setBrush(accent);
      p.drawEllipse(c, 1.3 * u, 1.3 * u);
      break;
    }
    case Mission::HostageRescue: {  // two people, one leading the other
      p.setPen(Qt::NoPen);
      for (auto [dx, shade] : {std::pair{3.2, 0.55}, std::pair{-2.4, 0.0}}) {
        const QColor col = mix(ink, QColor(10, 12, 18), shade);
        p.setBrush(col);
        p.drawEllipse(at(dx, -4.2), 2.6 * u, 2.6 * u);
        QPainterPath body;
        body.moveTo(at(dx - 4.6, 7));
        body.cubicTo(at(dx - 4.6, -1.2), at(dx + 4.6, -1.2), at(dx + 4.6, 7));
        body.closeSubpath();
        p.drawPath(body);
      }
      break;
    }
    case Mission::BombDefusal: {  // a round bomb with a lit fuse
      p.setPen(Qt::NoPen);
      p.setBrush(ink);
      p.drawEllipse(at(-1.5, 2), 6.5 * u, 6.5 * u);
      p.save();
      p.translate(at(2.8, -3.6));
      p.rotate(45);
      p.drawRect(QRectF(-2.2 * u, -1.6 * u, 4.4 * u, 3.2 * u));
      p.restore();
      p.setBrush(QColor(10, 12, 18, 120));
      p.drawEllipse(at(-3.6, 0), 1.6 * u, 1.6 * u);
      p.setPen(QPen(ink, 1.1 * u, Qt::SolidLine, Qt::RoundCap));
      p.setBrush(Qt::NoBrush);
      QPainterPath fuse;
      fuse.moveTo(at(4, -5));
      fuse.quadTo(at(5, -8.5), at(7.2, -8));
      p.drawPath(fuse);
      p.setPen(QPen(accent, 1.0 * u, Qt::SolidLine, Qt::RoundCap));
      for (auto [dx, dy] : {std::pair{1.0, 0.0}, std::pair{-1.0, 0.0}, std::pair{0.0, 1.0}, std::pair{0.0, -1.0},
                            std::pair{0.7, 0.7}, std::pair{-0.7, -0.7}, std::pair{0.7, -0.7}, std::pair{-0.7, 0.7}})
        p.drawLine(at(7.6 + dx * 1.0, -8.4 + dy * 1.0), at(7.6 + dx * 2.6, -8.4 + dy * 2.6));
      break;
    }
    case Mission::Escape: {  // an arrow leaving through a door
      p.setPen(QPen(ink, 1.3 * u));
      p.setBrush(Qt::NoBrush);
      p.drawPolyline(QPolygonF({at(1, -4), at(1, -7), at(-6, -7), at(-6, 7), at(1, 7), at(1, 4)}));
      p.setPen(QPen(accent, 1.8 * u, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawLine(at(-2.5, 0), at(7.5, 0));
      p.drawPolyline(QPolygonF({at(4, -3.5), at(7.5, 0), at(4, 3.5)}));
      break;
    }
    case Mission::Unknown: {
      p.setPen(Qt::NoPen);
      p.setBrush(ink);
      p.drawEllipse(c, 3 * u, 3 * u);
      break;
    }
  }
}

void drawTitle(QPainter& p, const CardSpec& card, Mission m) {
  QLinearGradient band(0, 74, 0, H);
  band.setColorAt(0, QColor(0, 0, 0, 0));
  band.setColorAt(0.42, QColor(4, 6, 10, 150));
  band.setColorAt(1, QColor(4, 6, 10, 225));
  p.fillRect(QRectF(0, 74, W, H - 74), band);

  const QColor accent = missionAccent(m);
  p.fillRect(QRectF(10, 107.5, 3, 29), accent);

  QFont kind(QStringLiteral("DejaVu Sans"));
  kind.setPixelSize(8);
  kind.setBold(true);
  kind.setCapitalization(QFont::AllUppercase);
  kind.setLetterSpacing(QFont::AbsoluteSpacing, 0.9);
  p.setFont(kind);
  p.setPen(accent.lighter(115));
  p.drawText(QPointF(17, 115.5), missionTitle(m));

  QFont title(QStringLiteral("DejaVu Sans"));
  title.setBold(true);
  const QString name = QString::fromLatin1(card.name);
  int size = 19;
  for (; size > 10; --size) {  // the longest names shrink to fit the card
    title.setPixelSize(size);
    if (QFontMetricsF(title).horizontalAdvance(name) <= W - 26) break;
  }
  title.setPixelSize(size);
  p.setFont(title);
  p.setPen(QColor(0, 0, 0, 170));
  p.drawText(QPointF(17.7, 135.2), name);
  p.setPen(QColor(252, 252, 250));
  p.drawText(QPointF(17, 134.5), name);
}

void drawFrame(QPainter& p) {
  QRadialGradient vignette(QPointF(W / 2, H * 0.45), W * 0.75);
  vignette.setColorAt(0.55, QColor(0, 0, 0, 0));
  vignette.setColorAt(1, QColor(0, 0, 0, 90));
  p.fillRect(QRectF(0, 0, W, H), vignette);
  p.setPen(QPen(QColor(255, 255, 255, 45), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, W - 1, H - 1));
}

}  // namespace

QImage drawCard(const CardSpec& card, QSize size) {
  QImage big(size * kSupersample, QImage::Format_ARGB32_Premultiplied);
  big.fill(Qt::black);
  {
    QPainter p(&big);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(kSupersample * size.width() / W, kSupersample * size.height() / H);
    Dice dice(card.name);
    const QColor top = QColor::fromRgb(card.skyTop), bottom = QColor::fromRgb(card.skyBottom);
    const QColor black(8, 10, 14);
    const bool night = qGray(card.skyTop) < 40;
    Stage stage{p,
                dice,
                top,
                bottom,
                mix(bottom, black, 0.45),
                mix(bottom, black, 0.68),
                mix(bottom, black, 0.86),
                night,
                QColor(255, 214, 140)};
    drawSky(stage);
    drawScene(stage, card);
    const Mission m = missionOf(card.name);
    drawTitle(p, card, m);
    drawEmblem(p, m, QPointF(20, 19), 11.5);
    drawFrame(p);
  }
  return big.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
}

bool writeCards(const QString& outDir, QString* error) {
  auto fail = [error](const QString& why) {
    if (error) *error = why;
    return false;
  };
  if (!QImageWriter::supportedImageFormats().contains("jpg"))
    return fail(QStringLiteral("this Qt has no JPEG writer (the qjpeg image-format plugin is missing)"));
  QDir dir(outDir);
  if (!dir.mkpath(QStringLiteral("img"))) return fail(QStringLiteral("cannot create %1/img").arg(outDir));
  for (const CardSpec& card : standardCards()) {
    for (int ratio : {1, 2}) {
      const QString path = dir.filePath(
          QStringLiteral("img/%1%2.jpg").arg(QLatin1String(card.name), ratio == 1 ? QString() : QStringLiteral("@2x")));
      QImageWriter writer(path, "jpg");
      writer.setQuality(92);
      if (!writer.write(drawCard(card, QSize(kPreviewWidth, kPreviewHeight) * ratio)))
        return fail(QStringLiteral("%1: %2").arg(path, writer.errorString()));
    }
  }
  return true;
}

}  // namespace quillet::mapcards
