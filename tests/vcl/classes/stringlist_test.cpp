// String lists: sorted order and binary search in the locale's collation,
// the duplicate rules, change events, index errors and the text forms.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vcl/classes.h"

using namespace vcl;

namespace {

std::vector<std::string> Items(const TStrings& L) {
  std::vector<std::string> Result;
  for (int I = 0; I < L.Count(); ++I)
    Result.push_back(L[I]);
  return Result;
}

TStringList* Fill(TStringList& L, const std::vector<std::string>& Words) {
  for (const auto& W : Words)
    L.Add(W);
  return &L;
}

// Counts the change events of a list and checks that OnChanging came first.
struct TEventCount {
  int Changing = 0;
  int Changed = 0;
  explicit TEventCount(TStringList& L) {
    L.OnChanging = [this](TObject*) { ++Changing; };
    L.OnChange = [this](TObject*) {
      EXPECT_EQ(Changing, Changed + 1);
      ++Changed;
    };
  }
};

template <typename F> std::string ErrorOf(F Body) {
  try {
    Body();
  } catch (const EStringListError& E) {
    return E.Message();
  }
  return "(no error)";
}

} // namespace

TEST(StringList, SortedListKeepsCaseInsensitiveCollationOrder) {
  TStringList L;
  L.SetSorted(true);
  Fill(L, {"banana", "Cherry", "apricot", "Apple", "Äpfel", "b"});
  EXPECT_EQ(Items(L),
            (std::vector<std::string>{"Äpfel", "Apple", "apricot", "b", "banana", "Cherry"}));
}

TEST(StringList, SortingAnExistingListKeepsObjectsWithTheirStrings) {
  TStringList L;
  TStringList Tag1, Tag2;
  L.AddObject("zeta", &Tag1);
  L.AddObject("Alpha", &Tag2);
  L.SetSorted(true);
  EXPECT_EQ(Items(L), (std::vector<std::string>{"Alpha", "zeta"}));
  EXPECT_EQ(L.Objects(0), &Tag2);
  EXPECT_EQ(L.Objects(1), &Tag1);
}

TEST(StringList, FindGivesFoundAndTheInsertionIndex) {
  TStringList L;
  L.SetSorted(true);
  Fill(L, {"Apple", "Apricot", "Banana"});
  struct Case {
    std::string S;
    bool Found;
    int Index;
  };
  const Case Cases[] = {{"apple", true, 0}, {"APRICOT", true, 1},    {"Banana", true, 2},
                        {"", false, 0},     {"ap", false, 0},        {"app", false, 0},
                        {"apr", false, 1},  {"aq", false, 2},        {"b", false, 2},
                        {"c", false, 3},    {"Applesauce", false, 1}};
  for (const auto& C : Cases) {
    int Index = -1;
    EXPECT_EQ(L.Find(C.S, Index), C.Found) << C.S;
    EXPECT_EQ(Index, C.Index) << C.S;
  }
  EXPECT_EQ(L.IndexOf("BANANA"), 2);
  EXPECT_EQ(L.IndexOf("Banan"), -1);
}

TEST(StringList, DuplicatesCompareIgnoringCase) {
  TStringList Ignore;
  Ignore.SetSorted(true);
  Fill(Ignore, {"Apple", "Banana"});
  EXPECT_EQ(Ignore.Add("apple"), 0);
  EXPECT_EQ(Items(Ignore), (std::vector<std::string>{"Apple", "Banana"}));

  TStringList Error;
  Error.SetSorted(true);
  Error.SetDuplicates(dupError);
  Fill(Error, {"Apple"});
  EXPECT_EQ(ErrorOf([&] { Error.Add("APPLE"); }), "String list does not allow duplicates");
  EXPECT_EQ(Error.Count(), 1);

  TStringList Accept;
  Accept.SetSorted(true);
  Accept.SetDuplicates(dupAccept);
  Fill(Accept, {"b", "a", "B", "b", "c"});
  EXPECT_EQ(Accept.Count(), 5);
  int Index = -1;
  EXPECT_TRUE(Accept.Find("B", Index));
  EXPECT_EQ(Index, 1); // the first of the equal run

  // Duplicates only matter to sorted lists.
  TStringList Unsorted;
  Unsorted.SetDuplicates(dupError);
  Fill(Unsorted, {"x", "x"});
  EXPECT_EQ(Unsorted.Count(), 2);
}

TEST(StringList, ChangeEventsFireOncePerChange) {
  TStringList L;
  TEventCount Events(L);
  L.Add("b");
  EXPECT_EQ(Events.Changed, 1);
  L.AddObject("c", &L);
  EXPECT_EQ(Events.Changed, 2);
  L.Put(0, "a");
  L.Delete(1);
  EXPECT_EQ(Events.Changed, 4);
  L.Clear();
  L.Clear(); // nothing left to change
  EXPECT_EQ(Events.Changed, 5);

  L.SetSorted(true);
  L.Add("x");
  L.Add("X"); // ignored duplicate: no change
  EXPECT_EQ(Events.Changed, 6);

  TStringList Source;
  Fill(Source, {"one", "two", "three"});
  L.Assign(&Source);
  EXPECT_EQ(Events.Changed, 7);
  EXPECT_EQ(Events.Changing, 7);
  EXPECT_EQ(Items(L), (std::vector<std::string>{"one", "three", "two"}));

  L.SetTextStr("p\r\nq");
  EXPECT_EQ(Events.Changed, 8);
  L.BeginUpdate();
  L.Add("r");
  L.Add("s");
  EXPECT_EQ(Events.Changed, 8);
  L.EndUpdate();
  EXPECT_EQ(Events.Changed, 9);
}

TEST(StringList, AssignCopiesStringsAndObjectsAndRefusesOtherClasses) {
  TStringList Source, Dest;
  Source.AddObject("k", &Source);
  Dest.Add("old");
  Dest.Assign(&Source);
  EXPECT_EQ(Items(Dest), (std::vector<std::string>{"k"}));
  EXPECT_EQ(Dest.Objects(0), &Source);
  Dest.Assign(&Dest);
  EXPECT_EQ(Items(Dest), (std::vector<std::string>{"k"}));
  TComponent Other(nullptr);
  EXPECT_THROW(Dest.Assign(&Other), EConvertError);
  EXPECT_TRUE(Dest.Equals(&Source));
}

TEST(StringList, IndexAndSortedErrors) {
  TStringList L;
  Fill(L, {"a", "b"});
  EXPECT_EQ(ErrorOf([&] { L.Strings(2); }), "List index out of bounds (2)");
  EXPECT_EQ(ErrorOf([&] { L.Delete(-1); }), "List index out of bounds (-1)");
  EXPECT_EQ(ErrorOf([&] { L.Insert(3, "x"); }), "List index out of bounds (3)");
  EXPECT_EQ(ErrorOf([&] { L.Objects(5); }), "List index out of bounds (5)");
  L.Insert(2, "c"); // at the end is allowed
  L.SetSorted(true);
  EXPECT_EQ(ErrorOf([&] { L.Insert(0, "x"); }), "Operation not allowed on sorted string list");
  EXPECT_EQ(ErrorOf([&] { L.Put(0, "x"); }), "Operation not allowed on sorted string list");
  EXPECT_EQ(Items(L), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(StringList, MoveAndExchangeCarryObjects) {
  TStringList L, T1, T2;
  L.AddObject("a", &T1);
  L.Add("b");
  L.AddObject("c", &T2);
  L.Move(0, 2);
  EXPECT_EQ(Items(L), (std::vector<std::string>{"b", "c", "a"}));
  EXPECT_EQ(L.Objects(2), &T1);
  L.Exchange(1, 2);
  EXPECT_EQ(Items(L), (std::vector<std::string>{"b", "a", "c"}));
  EXPECT_EQ(L.Objects(1), &T1);
  EXPECT_EQ(L.Objects(2), &T2);
}

TEST(StringList, TextSplitsAtAnyLineBreak) {
  struct Case {
    std::string Text;
    std::vector<std::string> Lines;
  };
  const Case Cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\nb\n", {"a", "b"}},
      {"a\rb\r", {"a", "b"}},
      {"\r\n\r\n", {"", ""}},
      {"a\n\nb", {"a", "", "b"}},
  };
  TStringList L;
  for (const auto& C : Cases) {
    L.SetTextStr(C.Text);
    EXPECT_EQ(Items(L), C.Lines) << C.Text;
  }
  L.SetTextStr("x\ny");
  EXPECT_EQ(L.Text(), "x\r\ny\r\n");
}

TEST(StringList, CommaTextQuotesWhereNeededAndReadsBack) {
  TStringList L;
  Fill(L, {"plain", "a b", "say \"hi\"", "", "x,y", ""});
  EXPECT_EQ(L.CommaText(), "plain,\"a b\",\"say \"\"hi\"\"\",\"\",\"x,y\",\"\"");
  TStringList Back;
  Back.SetCommaText(L.CommaText());
  EXPECT_EQ(Items(Back), Items(L));

  struct Case {
    std::string Text;
    std::vector<std::string> Items;
  };
  const Case Cases[] = {
      {"", {}},
      {"a,b", {"a", "b"}},
      {"  a , \"b c\" ,,d", {"a", "b c", "", "d"}},
      {"a b", {"a", "b"}},
      {"a,", {"a"}},
      {"\"open", {"open"}},
      {"\"\"", {""}},
  };
  for (const auto& C : Cases) {
    Back.SetCommaText(C.Text);
    EXPECT_EQ(Items(Back), C.Items) << C.Text;
  }
  Back.Clear();
  Back.Add("");
  EXPECT_EQ(Back.CommaText(), "\"\"");
}
