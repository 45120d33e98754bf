// The window program and the other programs in one data directory: while
// it runs, a data set build cannot replace the data under it; while it
// works there (the hourglass shows), commands wait for it; at start it
// finishes a replace a killed build left.
#include <QTest>

#include "DataDirHold.h"
#include "TempDir.h"
#include "TestRegistry.h"
#include "WaitCursor.h"
#include "data/DataSetReplace.h"

namespace kiv::test {

class DataDirHoldTest : public QObject {
  Q_OBJECT
 private slots:
  void holdsTheDirectoryAndWorksUnderItsLock() {
    TempDir dir;
    dir.writeText("StaName.kv4", "old");
    std::filesystem::create_directory(dir / std::string(kCommittedSetDirName));
    dir.writeText(std::string(kCommittedSetDirName) + "/StaName.kv4", "new");

    const std::vector<std::string> done = ui::holdDataDirectory(dir.path());
    QCOMPARE(done.size(), std::size_t{1});
    QVERIFY(done[0].find("finished replacing the data set") != std::string::npos);
    QCOMPARE(dir.readText("StaName.kv4"), std::string("new"));

    // A build cannot have the directory alone while the window runs.
    DataDirUse build;
    QCOMPARE(build.acquire(dir.path(), true, false), DataDirLock::Result::kBusy);

    // A command waits while the window searches, nested or not.
    DataDirLock command;
    {
      ui::WaitCursor search;
      {
        ui::WaitCursor table;
        QCOMPARE(command.acquire(dir.path(), false), DataDirLock::Result::kBusy);
      }
      QCOMPARE(command.acquire(dir.path(), false), DataDirLock::Result::kBusy);
    }
    QCOMPARE(command.acquire(dir.path(), false), DataDirLock::Result::kLocked);
  }
};

KIV_UI_TEST(DataDirHoldTest)

}  // namespace kiv::test

#include "DataDirHoldTest.moc"
