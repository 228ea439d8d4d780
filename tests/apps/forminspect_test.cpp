// forminspect as a user runs it: a form file on disk, components selected by
// name, values typed into the property editors, the form written back, the
// palette pictures exported, and the exit statuses.
#include <sstream>
#include <string>
#include <vector>

#include "tests/apps/program_test.h"

namespace {

// Two validating edits (date and integer), a data-aware one and its source.
const char* const SampleForm = R"(object Form1: TForm
  object VE1: TValidEdit
    Kind = 7
    Validator.Min = 0
  end
  object VE2: TValidEdit
    Kind = 7
  end
  object VE3: TValidEdit
    Kind = 2
  end
  object Source: TDataSource
  end
  object DVE1: TDBValidEdit
    Kind = 7
  end
end
)";

class FormInspect : public TProgramTest {
protected:
  void SetUp() override {
    TProgramTest::SetUp();
    // Also the platform's runtime directory, which must be private.
    fs::permissions(FDir, fs::perms::owner_all);
    FForm = WriteFile("form.dfm", SampleForm);
  }

  // Runs forminspect with Args (quoted for the shell).
  TRun Run(const std::string& Args) {
    return RunProgram("XDG_RUNTIME_DIR='" + FDir.string() + "'", FORMINSPECT_PATH, Args);
  }
  TRun Inspect(const std::string& Args) { return Run("'" + FForm + "' " + Args); }

  // The line of the listing that starts with Start, or "" when none does.
  static std::string Line(const std::string& Listing, const std::string& Start) {
    std::istringstream In(Listing);
    for (std::string L; std::getline(In, L);)
      if (L.rfind(Start, 0) == 0)
        return L;
    return "";
  }

  // The lines indented under the top-level line that starts with Start.
  static std::vector<std::string> Nested(const std::string& Listing, const std::string& Start) {
    std::istringstream In(Listing);
    std::vector<std::string> Result;
    bool Inside = false;
    for (std::string L; std::getline(In, L);) {
      if (!L.empty() && L[0] != ' ')
        Inside = L.rfind(Start, 0) == 0;
      else if (Inside)
        Result.push_back(L);
    }
    return Result;
  }

  std::string FForm;
};

TEST_F(FormInspect, HelpExplainsTheOptions) {
  const TRun R = Run("--help");
  EXPECT_EQ(R.Status, 0);
  EXPECT_EQ(R.Out.rfind("Usage: forminspect", 0), 0u) << R.Out;
  for (const char* Option : {"--select", "--set", "--values", "--output", "--export-palette"})
    EXPECT_NE(R.Out.find(Option), std::string::npos) << Option;
}

TEST_F(FormInspect, BadUsageExitsWithTwo) {
  for (const char* Args : {"--bogus", "", "--set Kind", "a.dfm b.dfm"}) {
    const TRun R = Run(Args);
    EXPECT_EQ(R.Status, 2) << Args;
    EXPECT_NE(R.Err.find("forminspect: "), std::string::npos) << Args;
  }
  const TRun Missing = Run("'" + (FDir / "none.dfm").string() + "'");
  EXPECT_EQ(Missing.Status, 2);
  EXPECT_NE(Missing.Err.find("none.dfm"), std::string::npos);
}

struct TKindCase {
  const char* Typed;
  int Status;
  const char* Shown; // the Kind line, or the message on standard error
};

class FormInspectKind : public FormInspect, public ::testing::WithParamInterface<TKindCase> {};

TEST_P(FormInspectKind, TypedKinds) {
  const TKindCase& C = GetParam();
  const std::string Written = (FDir / "out.dfm").string();
  const TRun R = Inspect("-c VE3 -l -s 'Kind=" + std::string(C.Typed) + "' -o '" + Written + "'");
  EXPECT_EQ(R.Status, C.Status) << R.Err;
  if (C.Status == 0) {
    EXPECT_EQ(Line(R.Out, "Kind ="), C.Shown);
    // Written back, the form reads the same value again.
    const TRun Again = Run("'" + Written + "' -c VE3");
    EXPECT_EQ(Line(Again.Out, "Kind ="), C.Shown);
  } else {
    EXPECT_EQ(R.Err, std::string("forminspect: Kind: ") + C.Shown + "\n");
    EXPECT_EQ(R.Out, "");
    EXPECT_FALSE(fs::exists(Written)) << "a refused value must not write the form";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FormInspectKind,
    ::testing::Values(TKindCase{"vkdate", 0, "Kind = vkDate"}, TKindCase{"7", 0, "Kind = vkDate"},
                      TKindCase{"VkTime", 0, "Kind = vkTime"}, TKindCase{"", 0, "Kind = vkNone"},
                      TKindCase{"150", 0, "Kind = 150"},
                      TKindCase{"300", 1, "Value must be between 0 and 255"},
                      TKindCase{"dates", 1, "'dates' is not a valid integer value"}));

TEST_F(FormInspect, TheDateKindBringsADateValidatorWhoseBoundsAreDates) {
  const TRun R = Inspect("-c VE1");
  ASSERT_EQ(R.Status, 0) << R.Err;
  EXPECT_EQ(Line(R.Out, "Validator ="), "Validator = (TDateValidator)");
  const auto Sub = Nested(R.Out, "Validator =");
  EXPECT_NE(std::find(Sub.begin(), Sub.end(), "  Min = 12/30/1899"), Sub.end()) << R.Out;
  EXPECT_NE(std::find(Sub.begin(), Sub.end(), "  Format = vdfLong"), Sub.end()) << R.Out;
}

TEST_F(FormInspect, ComponentsOfDifferentClassesHideTheValidatorsProperties) {
  const TRun Mixed = Inspect("-c VE1,DVE1");
  ASSERT_EQ(Mixed.Status, 0) << Mixed.Err;
  EXPECT_EQ(Line(Mixed.Out, "Validator ="), "Validator = ");
  EXPECT_TRUE(Nested(Mixed.Out, "Validator =").empty()) << Mixed.Out;
  EXPECT_EQ(Line(Mixed.Out, "Kind ="), "Kind = vkDate"); // what they agree on is shown
  EXPECT_EQ(Line(Mixed.Out, "DataField"), "");           // only VE1 and DVE1's shared properties

  const TRun Same = Inspect("-c VE1,VE2");
  EXPECT_EQ(Line(Same.Out, "Validator ="), "Validator = (TDateValidator)");
  const auto Sub = Nested(Same.Out, "Validator =");
  EXPECT_NE(std::find(Sub.begin(), Sub.end(), "  Format = vdfLong"), Sub.end()) << Same.Out;
  // VE1's lower bound is day 0, VE2's is not: the value they differ on is left empty.
  EXPECT_NE(std::find(Sub.begin(), Sub.end(), "  Min = "), Sub.end()) << Same.Out;

  const TRun Kinds = Inspect("-c VE1,VE3");
  EXPECT_EQ(Line(Kinds.Out, "Kind ="), "Kind = ");
}

TEST_F(FormInspect, SettingSeveralComponentsAtOnceAndNestedProperties) {
  const std::string Written = (FDir / "out.dfm").string();
  const TRun R = Inspect("-c VE1,VE2 -s Validator.Max=12/31/2030 -s Validation.vtSetValue=True "
                         "-s Kind=vkTime -o '" +
                         Written + "'");
  ASSERT_EQ(R.Status, 0) << R.Err;
  for (const char* Name : {"VE1", "VE2"}) {
    const TRun Back = Run("'" + Written + "' -c " + Name);
    EXPECT_EQ(Line(Back.Out, "Kind ="), "Kind = vkTime") << Name;
    EXPECT_EQ(Line(Back.Out, "Validation ="), "Validation = [vtInput,vtFocus,vtSetValue]") << Name;
  }
  const TRun Unchanged = Run("'" + Written + "' -c VE3");
  EXPECT_EQ(Line(Unchanged.Out, "Kind ="), "Kind = vkInteger");
}

TEST_F(FormInspect, ListsTheValuesAnEditorOffers) {
  const TRun R = Inspect("-c VE1 -v Kind -v Validator.Format");
  ASSERT_EQ(R.Status, 0) << R.Err;
  EXPECT_EQ(R.Out, "vkNone\nvkFilter\nvkInteger\nvkFloat\nvkCurrency\nvkStringLookup\nvkPicture\n"
                   "vkDate\nvkTime\nvdfShort\nvdfLong\nvdfOptional\n");
  const TRun Source = Inspect("-c DVE1 -v DataSource");
  EXPECT_NE(Source.Out.find("Source\n"), std::string::npos) << Source.Out;
  const TRun Wrong = Inspect("-c DVE1 -s DataSource=VE1");
  EXPECT_EQ(Wrong.Status, 1);
  EXPECT_EQ(Wrong.Err,
            "forminspect: DataSource: A TValidEdit cannot be assigned to this property\n");
}

TEST_F(FormInspect, UnknownNamesAreRefused) {
  const TRun NoComponent = Inspect("-c VE9");
  EXPECT_EQ(NoComponent.Status, 1);
  EXPECT_NE(NoComponent.Err.find("VE9"), std::string::npos);
  const TRun NoProperty = Inspect("-c VE1 -s Colour=clRed");
  EXPECT_EQ(NoProperty.Status, 1);
  EXPECT_NE(NoProperty.Err.find("Colour"), std::string::npos);
  const TRun Hidden = Inspect("-c VE1,DVE1 -s Validator.Format=vdfShort");
  EXPECT_EQ(Hidden.Status, 1);
  const TRun ReadOnly = Inspect("-c VE1 -s Font=Arial");
  EXPECT_EQ(ReadOnly.Status, 1);
}

TEST_F(FormInspect, ListsThePaletteAndExportsItsPictures) {
  const TRun List = Run("--palette");
  EXPECT_EQ(List.Out, "Additional: TBtnEdit\nData Controls: TDBBtnEdit\nAdditional: TValidEdit\n"
                      "Data Controls: TDBValidEdit\n");
  const fs::path Dir = FDir / "palette";
  const TRun Export = Run("--export-palette '" + Dir.string() + "'");
  ASSERT_EQ(Export.Status, 0) << Export.Err;
  for (const char* Name : {"TBtnEdit", "TDBBtnEdit", "TValidEdit", "TDBValidEdit"}) {
    const std::string Png = Read(Dir / (std::string(Name) + ".png"));
    ASSERT_GT(Png.size(), 24u) << Name;
    EXPECT_EQ(Png.substr(1, 3), "PNG") << Name;
    // The width and height of the IHDR chunk, big-endian.
    auto Big = [&](std::size_t At) {
      return (static_cast<unsigned char>(Png[At]) << 24) |
             (static_cast<unsigned char>(Png[At + 1]) << 16) |
             (static_cast<unsigned char>(Png[At + 2]) << 8) |
             static_cast<unsigned char>(Png[At + 3]);
    };
    EXPECT_EQ(Big(16), 24u) << Name;
    EXPECT_EQ(Big(20), 24u) << Name;
  }
}

} // namespace
