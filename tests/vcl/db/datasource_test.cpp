// Data sources and data links: what a link hears of a data set's states,
// moves and changes, and what a field data link does for its control.
#include <gtest/gtest.h>

#include <memory>

#include "vcl/db.h"

using namespace vcl;

namespace {

// A link that writes down what it hears.
class TRecordingLink : public TDataLink {
public:
  std::vector<std::string> Heard;

protected:
  void ActiveChanged() override { Heard.push_back(Active() ? "active" : "inactive"); }
  void EditingChanged() override { Heard.push_back(Editing() ? "editing" : "browsing"); }
  void DataSetChanged() override { Heard.push_back("dataset"); }
  void DataSetScrolled(int Distance) override {
    Heard.push_back("scrolled " + std::to_string(Distance));
  }
  void RecordChanged(TField* Field) override {
    Heard.push_back(Field ? "field " + Field->FieldName() : "record");
  }
  void UpdateData() override { Heard.push_back("update"); }
  void CheckBrowseMode() override { Heard.push_back("check"); }
};

class DataLinkTest : public ::testing::Test {
protected:
  void SetUp() override {
    Data = new TSQLiteDataSet(nullptr);
    Data->ExecSQL("CREATE TABLE t (id INTEGER PRIMARY KEY, name TEXT, qty INTEGER);"
                  "INSERT INTO t (name, qty) VALUES ('a', 1), ('b', 2), ('c', 3)");
    Data->SetTableName("t");
    Source = new TDataSource(nullptr);
    Source->SetDataSet(Data);
    Link.SetDataSource(Source);
  }
  void TearDown() override {
    delete Source;
    delete Data;
  }
  std::vector<std::string> Take() { return std::exchange(Link.Heard, {}); }

  TSQLiteDataSet* Data = nullptr;
  TDataSource* Source = nullptr;
  TRecordingLink Link;
};

using Events = std::vector<std::string>;

TEST_F(DataLinkTest, ALinkHearsStatesMovesAndChanges) {
  EXPECT_FALSE(Link.Active());
  Data->Open();
  EXPECT_EQ(Take(), Events({"active"}));
  Data->Next();
  EXPECT_EQ(Take(), Events({"check", "scrolled 1"}));
  Data->Edit();
  EXPECT_TRUE(Link.Editing());
  EXPECT_EQ(Take(), Events({"editing", "record"}));
  Data->FieldByName("qty")->SetAsInteger(5);
  EXPECT_EQ(Take(), Events({"field qty"}));
  Data->Post();
  EXPECT_EQ(Take(), Events({"update", "check", "browsing", "dataset"}));
  Data->Close();
  EXPECT_EQ(Take(), Events({"check", "inactive"}));
  EXPECT_FALSE(Link.Active());
}

TEST_F(DataLinkTest, TheSourceReportsStateAndDataChanges) {
  std::vector<std::string> States;
  std::vector<std::string> Changes;
  Source->OnStateChange = [&](TObject*) { States.push_back(std::to_string(Source->State())); };
  Source->OnDataChange = [&](TObject*, TField* Field) {
    Changes.push_back(Field ? Field->FieldName() : "-");
  };
  Data->Open();
  Data->Edit();
  Data->FieldByName("name")->SetAsString("z");
  Data->Cancel();
  Data->Close();
  EXPECT_EQ(States, Events({"1", "2", "1", "0"}));
  EXPECT_EQ(Changes, Events({"-", "name", "-"}));
  Data->Open();
  Source->SetEnabled(false); // a disabled source looks closed to its links
  EXPECT_FALSE(Link.Active());
  EXPECT_EQ(Source->State(), dsInactive);
  Source->SetEnabled(true);
  EXPECT_TRUE(Link.Active());
}

TEST_F(DataLinkTest, DisabledControlsHearOneChangeAfterwardsButStillHandOverTheirText) {
  Data->Open();
  Take();
  Data->DisableControls();
  Data->Next();
  Data->Next();
  Data->Edit();
  Data->FieldByName("qty")->SetAsInteger(9);
  Data->Post(); // UpdateRecord reaches the links all the same
  EXPECT_EQ(Take(), Events({"check", "check", "editing", "update", "check", "browsing"}));
  Data->EnableControls();
  EXPECT_EQ(Take(), Events({"dataset"}));
}

TEST_F(DataLinkTest, FreeingTheSourceOrTheDataSetLeavesNoDanglingLink) {
  Data->Open();
  delete Source;
  Source = nullptr;
  EXPECT_EQ(Link.DataSource(), nullptr);
  EXPECT_FALSE(Link.Active());
  Source = new TDataSource(nullptr);
  Source->SetDataSet(Data);
  Link.SetDataSource(Source);
  EXPECT_TRUE(Link.Active());
  delete Data;
  Data = nullptr;
  EXPECT_EQ(Source->DataSet(), nullptr);
  EXPECT_FALSE(Link.Active());
}

// On a move, the first link takes the last link off its source and puts a
// new one on; the data set's second source, by its own change handler,
// leaves the data set. Whoever left is not told, whoever joined is told of
// the next event only: with a few links and with many.
TEST_F(DataLinkTest, ListenersLeavingOrJoiningWhileOthersHearAreToldOnlyWhileTheyAreThere) {
  for (const int Count : {3, 12}) {
    SCOPED_TRACE(Count);
    TDataSource Own(nullptr), Other(nullptr);
    std::vector<std::unique_ptr<TFieldDataLink>> Links;
    std::vector<int> Heard(Count + 1, 0);
    for (int I = 0; I <= Count; ++I) {
      Links.push_back(std::make_unique<TFieldDataLink>());
      Links[I]->OnDataChange = [&Heard, I](TObject*) { ++Heard[I]; };
    }
    for (int I = 0; I < Count; ++I)
      Links[I]->SetDataSource(&Own);
    bool Moved = false;
    Links[0]->OnDataChange = [&](TObject*) {
      ++Heard[0];
      if (Moved && Links[Count - 1]->DataSource()) {
        Links[Count - 1]->SetDataSource(nullptr);
        Links[Count]->SetDataSource(&Own);
      }
    };
    int OtherHeard = 0;
    Other.OnDataChange = [&](TObject*, TField*) {
      if (Moved)
        Other.SetDataSet(nullptr);
      ++OtherHeard;
    };
    Own.SetDataSet(Data);
    Other.SetDataSet(Data);
    Data->Open();
    Data->First();
    Heard.assign(Count + 1, 0);
    OtherHeard = 0;
    Moved = true;
    Data->Next();
    EXPECT_EQ(Heard[0], 1);
    EXPECT_EQ(Heard[Count - 2], 1);
    EXPECT_EQ(Heard[Count - 1], 0);
    EXPECT_EQ(Heard[Count], 0);
    EXPECT_EQ(OtherHeard, 1);
    Data->Next();
    EXPECT_EQ(Heard[Count], 1);
    EXPECT_EQ(OtherHeard, 1);
    Data->Close();
  }
}

class FieldDataLinkTest : public DataLinkTest {
protected:
  void SetUp() override {
    DataLinkTest::SetUp();
    Control.SetName("QtyEdit");
    Field.SetControl(&Control);
    Field.SetDataSource(Source);
    Field.OnDataChange = [this](TObject*) { ++DataChanges; };
    Field.OnEditingChange = [this](TObject*) { ++EditingChanges; };
    Field.OnUpdateData = [this](TObject*) { Field.Field()->SetAsString(Typed); };
  }

  TComponent Control{nullptr};
  TFieldDataLink Field;
  int DataChanges = 0;
  int EditingChanges = 0;
  std::string Typed;
};

TEST_F(FieldDataLinkTest, TheLinkFindsItsFieldByNameWhileTheDataSetIsOpen) {
  Field.SetFieldName("QTY");
  EXPECT_EQ(Field.Field(), nullptr);
  Data->Open();
  ASSERT_NE(Field.Field(), nullptr);
  EXPECT_EQ(Field.Field()->FieldName(), "qty");
  EXPECT_EQ(DataChanges, 1);
  Data->Next();
  EXPECT_EQ(DataChanges, 2);
  Data->Close();
  EXPECT_EQ(Field.Field(), nullptr); // before the field itself goes
  Data->Open();
  try {
    Field.SetFieldName("nothing");
    FAIL();
  } catch (const EDatabaseError& E) {
    EXPECT_EQ(E.Message(), "QtyEdit: Field 'nothing' not found");
  }
  EXPECT_EQ(Field.Field(), nullptr);
}

TEST_F(FieldDataLinkTest, EditAsksForEditModeWhereTheLinkAndSourceAllowIt) {
  Field.SetFieldName("qty");
  Data->Open();
  EXPECT_FALSE(Field.Editing());
  EXPECT_TRUE(Field.Edit());
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_TRUE(Field.Editing());
  EXPECT_EQ(EditingChanges, 1);
  Data->Cancel();
  Source->SetAutoEdit(false);
  EXPECT_FALSE(Field.Edit());
  EXPECT_EQ(Data->State(), dsBrowse);
  Source->SetAutoEdit(true);
  Field.SetReadOnly(true);
  EXPECT_FALSE(Field.CanModify());
  EXPECT_FALSE(Field.Edit());
  EXPECT_EQ(Data->State(), dsBrowse);
  Field.SetReadOnly(false);
  Data->FieldByName("qty")->SetReadOnly(true);
  EXPECT_FALSE(Field.Edit());
  Data->Edit(); // the data set is edited, this link's field cannot be
  EXPECT_FALSE(Field.Editing());
}

TEST_F(FieldDataLinkTest, OnlyAModifiedLinkHandsItsTextOver) {
  Field.SetFieldName("qty");
  Data->Open();
  Data->Edit();
  Typed = "77";
  Data->UpdateRecord();
  EXPECT_EQ(Data->FieldByName("qty")->AsInteger(), 1); // not modified: nothing handed over
  Field.Modified();
  Data->Post();
  Data->First();
  EXPECT_EQ(Data->FieldByName("qty")->AsInteger(), 77);
  EXPECT_FALSE(Field.IsModified());
  Data->Edit();
  Field.Modified();
  const int Before = DataChanges;
  Field.Reset(); // shows the field again and forgets what was typed
  EXPECT_EQ(DataChanges, Before + 1);
  EXPECT_FALSE(Field.IsModified());
}

TEST_F(FieldDataLinkTest, ATextTheFieldRefusesStaysModifiedAndStopsThePost) {
  Field.SetFieldName("qty");
  Data->Open();
  Data->Edit();
  Typed = "many";
  Field.Modified();
  EXPECT_THROW(Data->Post(), EConvertError);
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_TRUE(Field.IsModified());
  Typed = "12";
  Data->Post();
  EXPECT_EQ(Data->FieldByName("qty")->AsInteger(), 12);
}

} // namespace
