// Where kiv4 works: the working directory when it holds the data, else the
// user's own directory, seeded once from the installed sample.
#include <QTest>

#include "DataDirectory.h"
#include "TempDir.h"
#include "TestRegistry.h"

namespace kiv::test {

class DataDirectoryTest : public QObject {
  Q_OBJECT
 private slots:
  void workingDirectoryWithDataStays() {
    TempDir cwd, home, sample;
    cwd.writeText("StaName.kv4", "x");
    std::string problem;
    QCOMPARE(ui::chooseDataDirectory({cwd.path(), home.path(), sample.path()}, problem), cwd.path());
    QVERIFY(problem.empty());
    QVERIFY(!std::filesystem::exists(home / "kiv"));
  }

  void userDirectoryIsSeededOnceAndKeepsItsFiles() {
    TempDir cwd, home, sample;
    sample.writeText("StaName.kv4", "stations");
    sample.writeText("kiv4line.dat", "lines");
    std::string problem;
    const ui::DataPlaces places{cwd.path(), home.path(), sample.path()};
    const std::filesystem::path own = ui::chooseDataDirectory(places, problem);
    QCOMPARE(own, home.path() / "kiv");
    QVERIFY(problem.empty());
    QVERIFY(std::filesystem::exists(own / "kiv4line.dat"));
    // The user's own changes survive the next start.
    std::filesystem::remove(own / "kiv4line.dat");
    { std::ofstream(own / "Kiv4.def") << "mine"; }
    sample.writeText("Kiv4.def", "sample");
    QCOMPARE(ui::chooseDataDirectory(places, problem), own);
    QVERIFY(!std::filesystem::exists(own / "kiv4line.dat"));
    std::ifstream in(own / "Kiv4.def");
    std::string text;
    in >> text;
    QCOMPARE(text, std::string("mine"));
  }

  void missingSampleIsSaid() {
    TempDir cwd, home, sample;
    std::string problem;
    QCOMPARE(ui::chooseDataDirectory({cwd.path(), home.path(), sample.path()}, problem), home.path() / "kiv");
    QVERIFY(problem.find("サンプルデータ") != std::string::npos);
  }
};

KIV_UI_TEST(DataDirectoryTest)

}  // namespace kiv::test

#include "DataDirectoryTest.moc"
