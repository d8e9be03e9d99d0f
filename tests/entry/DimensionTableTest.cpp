// The table of dimensions against everything that reads it: each value's box
// stands on the forms of the types that carry it, named by the table's
// caption; its key writes and reads back the same member through a link
// file; its CSV name heads its export line; its JSON key resolves and the
// command-line help lists it.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <map>
#include <memory>

#include "CountingViews.hpp"
#include "SampleLinkages.hpp"
#include "cli/CliCommands.hpp"
#include "entry/BaseForm.hpp"
#include "entry/BoxNames.hpp"
#include "entry/FormTransfer.hpp"
#include "entry/InputForm.hpp"
#include "entry/MemoryForm.hpp"
#include "files/LinkFile.hpp"
#include "files/TableExport.hpp"
#include "ui/ScriptedPrompts.hpp"

namespace potelan {
namespace {

TEST(DimensionTableTest, EveryReaderFindsEveryValue) {
  std::map<int, std::unique_ptr<BaseForm>> bases;
  std::map<int, QStringList> files;
  std::map<int, AppState> written, read;
  for (int type = 2; type <= 6; ++type) {
    bases[type] = std::make_unique<BaseForm>(type);
    ConfigSet& set = written[type].Set[kChangedSet] = testing::SampleSet(type);
    set.PivotMoveX = 1.5, set.PivotMoveY = -2.5;
    MemoryForm form = MemoryForm::InputForm(), readForm = MemoryForm::InputForm();
    WriteSetToForm(written[type], form, kChangedSet);
    files[type] = LinkFileLines(written[type], form, kChangedSet).value_or(QStringList());
    ReadLinkLines(read[type], readForm, files[type], kChangedSet);
  }
  AppState state;
  state.Set[kBaseSet] = state.Set[kChangedSet] = testing::SampleSet(4);
  ScriptedPrompts prompts;
  testing::CountingViews views;
  InputForm input(state, prompts, views);
  ResultTable table;
  table.BuildHeaders();
  const QStringList csv = CsvLines(state, table);
  const std::string help = cli::HelpText();

  for (const DimensionInfo& row : DimensionTable()) {
    SCOPED_TRACE(std::string(row.Key));
    const QString box = DimensionBox(row.Dim);
    const auto* edit = input.findChild<QLineEdit*>(box);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->accessibleName(), DimensionCaption(row.Dim));
    EXPECT_NE(input.findChild<QWidget*>(TableText(row.Spin)), nullptr);
    for (int type = 2; type <= 6; ++type) {
      const auto* baseBox = bases[type]->findChild<QLineEdit*>(box);
      ASSERT_EQ(baseBox != nullptr, TypeUses(type, row.Dim)) << type;
      if (baseBox != nullptr) {
        EXPECT_TRUE(baseBox->accessibleName().startsWith(TableText(BaseCaption(row.Dim))));
      }
      const QString key = TableText(FileKey(row.Dim)) + QLatin1Char('=');
      const bool filed = row.FileRow >= 0 && Carries(row.Dim, type);
      EXPECT_EQ(files[type].filter(key).size(), filed ? 1 : 0) << type;
      if (filed) {
        EXPECT_EQ(ValueOf(read[type].Set[kChangedSet], row.Dim),
                  ValueOf(written[type].Set[kChangedSet], row.Dim))
            << type;
      }
    }
    if (row.CsvRow >= 0) {
      EXPECT_TRUE(csv.at(2 + row.CsvRow).startsWith(TableText(CsvName(row.Dim)) + ','));
    }
    EXPECT_EQ(DimensionFromJsonName(row.Key) == row.Dim, IsTypeDimension(row.Dim));
    EXPECT_EQ(help.find(row.Key) != std::string::npos, IsTypeDimension(row.Dim));
  }
}

}  // namespace
}  // namespace potelan
