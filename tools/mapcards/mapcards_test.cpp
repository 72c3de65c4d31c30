// The preview cards: mission from the prefix, the card table, the drawn picture and the files.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QSet>
#include <QTemporaryDir>

#include <cstdlib>

#include "MapCards.h"

using namespace quillet::mapcards;

namespace {

TEST(MapCards, MissionComesFromThePrefix) {
  struct Row {
    const char* name;
    Mission want;
  };
  const Row rows[] = {
      {"as_forest", Mission::Assassination},
      {"cs_747", Mission::HostageRescue},
      {"de_dust", Mission::BombDefusal},
      {"es_trinity", Mission::Escape},
      {"cs_x", Mission::HostageRescue},
      {"de_", Mission::Unknown},
      {"as", Mission::Unknown},
      {"", Mission::Unknown},
      {"xx_forest", Mission::Unknown},
      {"DE_dust", Mission::Unknown},
      {"dex_dust", Mission::Unknown},
      {"de-dust", Mission::Unknown},
  };
  for (const Row& r : rows) EXPECT_EQ(missionOf(r.name), r.want) << r.name;
}

TEST(MapCards, MissionTitlesAndAccentsDiffer) {
  struct Row {
    Mission m;
    const char* title;
  };
  const Row rows[] = {{Mission::Assassination, "Assassination"},
                      {Mission::HostageRescue, "Hostage rescue"},
                      {Mission::BombDefusal, "Bomb defusal"},
                      {Mission::Escape, "Escape"},
                      {Mission::Unknown, "Mission"}};
  QSet<QRgb> accents;
  for (const Row& r : rows) {
    EXPECT_EQ(missionTitle(r.m), QString::fromLatin1(r.title));
    accents.insert(missionAccent(r.m).rgb());
  }
  EXPECT_EQ(accents.size(), 5);
}

TEST(MapCards, TableHoldsTheNineteenMapsInPageOrder) {
  const char* const want[] = {"as_forest",    "as_oilrig",   "as_tundra", "cs_747",    "cs_assault",
                              "cs_backalley", "cs_docks",    "cs_estate", "cs_italy",  "cs_militia",
                              "cs_siege",     "de_aztec",    "de_cbble",  "de_dust",   "de_nuke",
                              "de_prodigy",   "de_railroad", "de_train",  "es_trinity"};
  const auto& cards = standardCards();
  ASSERT_EQ(cards.size(), std::size(want));
  for (std::size_t i = 0; i < cards.size(); ++i) {
    EXPECT_STREQ(cards[i].name, want[i]) << i;
    EXPECT_NE(missionOf(cards[i].name), Mission::Unknown) << cards[i].name;
  }
}

// Channel distance between two colours.
int distance(QRgb a, QRgb b) {
  return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

TEST(MapCards, EveryCardIsDrawnAtPreviewSizeWithItsTitle) {
  QSet<QByteArray> seen;
  for (const CardSpec& card : standardCards()) {
    SCOPED_TRACE(card.name);
    const QImage img = drawCard(card);
    ASSERT_EQ(img.size(), QSize(kCardWidth, kCardHeight));
    // The bar left of the title is in this mission's accent, nearer to it than to any other.
    const Mission own = missionOf(card.name);
    const QRgb bar = img.pixel(11, 122);
    for (Mission other : {Mission::Assassination, Mission::HostageRescue, Mission::BombDefusal, Mission::Escape})
      if (other != own) {
        EXPECT_LT(distance(bar, missionAccent(own).rgb()), distance(bar, missionAccent(other).rgb()));
      }
    // The title band is dark and the name is written on it in near-white letters.
    int bright = 0;
    for (int y = 120; y < 137; ++y)
      for (int x = 17; x < kCardWidth - 8; ++x) bright += qGray(img.pixel(x, y)) > 220;
    EXPECT_GT(bright, 60);
    EXPECT_LT(qGray(img.pixel(kCardWidth - 3, kCardHeight - 4)), 80);
    // No two maps share a picture.
    const QByteArray digest =
        QCryptographicHash::hash(QByteArrayView(img.constBits(), img.sizeInBytes()), QCryptographicHash::Sha1);
    EXPECT_FALSE(seen.contains(digest));
    seen.insert(digest);
  }
}

TEST(MapCards, DrawingIsRepeatable) {
  for (const CardSpec& card : standardCards()) EXPECT_EQ(drawCard(card), drawCard(card)) << card.name;
}

TEST(MapCards, WritesAJpegPerMapAndScreenRatioIntoImg) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QString error;
  ASSERT_TRUE(writeCards(dir.path(), &error)) << error.toStdString();
  for (const CardSpec& card : standardCards()) {
    for (int ratio : {1, 2}) {
      QImageReader reader(
          dir.filePath(QStringLiteral("img/%1%2.jpg").arg(QLatin1String(card.name), ratio == 2 ? "@2x" : "")));
      EXPECT_EQ(reader.format(), "jpeg") << card.name;
      EXPECT_EQ(reader.size(), QSize(kPreviewWidth, kPreviewHeight) * ratio) << card.name;
    }
  }
}

TEST(MapCards, ReportsAFolderThatCannotBeMade) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QFile blocker(dir.filePath(QStringLiteral("img")));  // a file where the folder should go
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  QString error;
  EXPECT_FALSE(writeCards(dir.path(), &error));
  EXPECT_TRUE(error.contains(QStringLiteral("img"))) << error.toStdString();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
