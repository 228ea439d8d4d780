// Ownership, naming, state and notifications of components, and the copy
// errors of persistent objects.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "vcl/classes.h"

using namespace vcl;

namespace {

class TColour : public TPersistent {
public:
  int Value = 0;
  void Assign(TPersistent* Source) override {
    if (auto* Other = dynamic_cast<TColour*>(Source)) {
      Value = Other->Value;
      return;
    }
    TPersistent::Assign(Source);
  }
};

class TShade : public TPersistent {};

// A source that knows how to copy itself into a TColour that does not know it.
class TPaint : public TPersistent {
public:
  int Tint = 0;

protected:
  void AssignTo(TPersistent* Dest) override {
    if (auto* Colour = dynamic_cast<TColour*>(Dest)) {
      Colour->Value = Tint;
      return;
    }
    TPersistent::AssignTo(Dest);
  }
};

// Records its notifications, forgets its peer when told it is going, and
// checks on its way out that the peer it still holds is alive.
class TProbe : public TComponent {
public:
  explicit TProbe(TComponent* AOwner) : TComponent(AOwner) { Live().insert(this); }
  ~TProbe() override {
    EXPECT_TRUE(Peer == nullptr || Live().count(Peer)) << "a probe holds a freed peer";
    Live().erase(this);
  }
  static std::set<TComponent*>& Live() {
    static std::set<TComponent*> Set;
    return Set;
  }
  using TComponent::SetState;

  std::vector<std::pair<TComponent*, TOperation>> Log;
  TComponent* Peer = nullptr;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    Log.emplace_back(AComponent, Operation);
    if (Operation == opRemove && AComponent == Peer)
      Peer = nullptr;
  }
};

template <typename F> std::string ErrorOf(F Body) {
  try {
    Body();
  } catch (const Exception& E) {
    return E.Message();
  }
  return "(no error)";
}

} // namespace

TEST(Persistent, AssignCopiesKnownSourcesAndNamesBothClassesOtherwise) {
  TColour A, B;
  B.Value = 7;
  A.Assign(&B);
  EXPECT_EQ(A.Value, 7);

  TPaint Paint;
  Paint.Tint = 3;
  A.Assign(&Paint);
  EXPECT_EQ(A.Value, 3);

  TShade Shade;
  EXPECT_THROW(A.Assign(&Shade), EConvertError);
  EXPECT_EQ(ErrorOf([&] { A.Assign(&Shade); }), "Cannot assign a TShade to a TColour");
  EXPECT_EQ(ErrorOf([&] { Shade.Assign(&Paint); }), "Cannot assign a TPaint to a TShade");
  EXPECT_EQ(ErrorOf([&] { A.Assign(nullptr); }), "Cannot assign a nil to a TColour");
}

TEST(Component, OwnerFreesWhatItOwns) {
  auto* Owner = new TProbe(nullptr);
  auto* A = new TProbe(Owner);
  auto* B = new TProbe(A);
  EXPECT_EQ(Owner->ComponentCount(), 1);
  EXPECT_EQ(Owner->Components(0), A);
  EXPECT_EQ(B->Owner(), A);
  delete Owner;
  EXPECT_FALSE(TProbe::Live().count(A));
  EXPECT_FALSE(TProbe::Live().count(B));
}

TEST(Component, ComponentFreedAloneLeavesItsOwnersList) {
  TProbe Owner(nullptr);
  auto* A = new TProbe(&Owner);
  auto* B = new TProbe(&Owner);
  delete A;
  ASSERT_EQ(Owner.ComponentCount(), 1);
  EXPECT_EQ(Owner.Components(0), B);
  EXPECT_THROW(Owner.Components(1), EListError);
  EXPECT_THROW(Owner.Components(-1), EListError);
}

TEST(Component, OwnerHearsOfInsertAndRemove) {
  TProbe Owner(nullptr);
  auto* A = new TProbe(&Owner);
  const std::vector<std::pair<TComponent*, TOperation>> Expected = {{A, opInsert}, {A, opRemove}};
  delete A;
  EXPECT_EQ(Owner.Log, Expected);
}

TEST(Component, FreeNotificationReachesPeersOfOtherOwnersAndUnlinksThem) {
  TProbe FormA(nullptr), FormB(nullptr);
  auto* Edit = new TProbe(&FormA);
  auto* Source = new TProbe(&FormB);
  Edit->Peer = Source;
  Source->Peer = Edit;
  Edit->FreeNotification(Source);
  const auto Expected = std::make_pair(static_cast<TComponent*>(Source), opRemove);
  delete Source;
  EXPECT_EQ(Edit->Peer, nullptr);
  EXPECT_EQ(Edit->Log.back(), Expected);
  // The link is gone on both sides: freeing the edit now touches no freed peer.
  Edit->Log.clear();
  delete Edit;
}

TEST(Component, FreeNotificationWorksInBothDirections) {
  auto* A = new TProbe(nullptr);
  auto* B = new TProbe(nullptr);
  A->Peer = B;
  B->Peer = A;
  B->FreeNotification(A);
  delete A;
  EXPECT_EQ(B->Peer, nullptr);
  delete B;
}

TEST(Component, RemoveFreeNotificationSilencesThePeer) {
  auto* A = new TProbe(nullptr);
  TProbe B(nullptr);
  A->FreeNotification(&B);
  A->RemoveFreeNotification(&B);
  delete A;
  EXPECT_TRUE(B.Log.empty());
}

TEST(Component, SiblingsLinkedByFreeNotificationSurviveTheirOwnersTeardown) {
  auto* Form = new TProbe(nullptr);
  auto* Edit = new TProbe(Form);
  auto* Link = new TProbe(Form);
  // Edit is freed last (components go from the end); it must not hold Link.
  Edit->Peer = Link;
  Link->FreeNotification(Edit);
  delete Form;
  EXPECT_TRUE(TProbe::Live().empty());
}

TEST(Component, DestroyComponentsOnALiveOwnerTellsIt) {
  TProbe Owner(nullptr);
  auto* A = new TProbe(&Owner);
  Owner.Peer = A;
  Owner.DestroyComponents();
  EXPECT_EQ(Owner.ComponentCount(), 0);
  EXPECT_EQ(Owner.Peer, nullptr);
}

TEST(Component, InsertComponentMovesOwnershipAndRefusesCycles) {
  TProbe Old(nullptr), New(nullptr);
  auto* A = new TProbe(&Old);
  New.InsertComponent(A);
  EXPECT_EQ(Old.ComponentCount(), 0);
  EXPECT_EQ(A->Owner(), &New);
  EXPECT_EQ(Old.Log.back(), std::make_pair(static_cast<TComponent*>(A), opRemove));

  auto* B = new TProbe(A);
  EXPECT_THROW(B->InsertComponent(A), EComponentError);
  EXPECT_THROW(A->InsertComponent(A), EComponentError);
  EXPECT_EQ(A->Owner(), &New);
}

TEST(Component, NamesAreIdentifiers) {
  TProbe C(nullptr);
  const std::vector<std::string> Good = {"Edit1", "_x", "a_b_9", "Z"};
  for (const auto& Name : Good) {
    C.SetName(Name);
    EXPECT_EQ(C.Name(), Name);
  }
  const std::vector<std::string> Bad = {"1Edit", "Edit 1", "Ed-it", "Ed.it", "Äpfel", " "};
  for (const auto& Name : Bad) {
    EXPECT_EQ(ErrorOf([&] { C.SetName(Name); }), "'" + Name + "' is not a valid component name")
        << Name;
    EXPECT_EQ(C.Name(), "Z");
  }
  C.SetName("");
  EXPECT_EQ(C.Name(), "");
}

TEST(Component, NamesAreUniqueAmongTheOwnersComponentsIgnoringCase) {
  TProbe Owner(nullptr);
  auto* A = new TProbe(&Owner);
  auto* B = new TProbe(&Owner);
  A->SetName("Edit1");
  EXPECT_EQ(ErrorOf([&] { B->SetName("EDIT1"); }), "A component named EDIT1 already exists");
  EXPECT_EQ(B->Name(), "");
  A->SetName("EDIT1"); // its own name in another case
  EXPECT_EQ(Owner.FindComponent("edit1"), A);
  EXPECT_EQ(Owner.FindComponent(""), nullptr);
  B->SetName("Edit2");
  EXPECT_EQ(Owner.FindComponent("Edit2"), B);
  // Components without an owner, or under different owners, may share names.
  TProbe Other(nullptr);
  auto* C = new TProbe(&Other);
  C->SetName("Edit1");
  EXPECT_THROW(Owner.InsertComponent(C), EComponentError);
  EXPECT_EQ(C->Owner(), &Other);
}

// The owner finds its components by name after renames, moves to another
// owner and frees, in any letter case.
TEST(Component, FindingByNameFollowsRenamesMovesAndFrees) {
  TProbe Owner(nullptr);
  TProbe Other(nullptr);
  auto* A = new TProbe(&Owner);
  A->SetName("Label1");
  A->SetName("Caption");
  EXPECT_EQ(Owner.FindComponent("Label1"), nullptr);
  EXPECT_EQ(Owner.FindComponent("CAPTION"), A);
  Other.InsertComponent(A);
  EXPECT_EQ(Owner.FindComponent("Caption"), nullptr);
  EXPECT_EQ(Other.FindComponent("caption"), A);
  auto* B = new TProbe(&Owner);
  B->SetName("Caption"); // the name is free again under the first owner
  EXPECT_EQ(Owner.FindComponent("Caption"), B);
  delete B;
  EXPECT_EQ(Owner.FindComponent("Caption"), nullptr);
  A->SetName("");
  EXPECT_EQ(Other.FindComponent("Caption"), nullptr);
  EXPECT_EQ(Other.FindComponent("Capt\xC3\xADon"), nullptr);
}

// A component that arrives concerns its owner only; one that leaves is
// heard of by its siblings, which may hold it.
TEST(Component, SiblingsHearOfRemovalsButNotOfInsertions) {
  TProbe Owner(nullptr);
  auto* A = new TProbe(&Owner);
  auto* B = new TProbe(&Owner);
  EXPECT_TRUE(A->Log.empty());
  delete B;
  const std::vector<std::pair<TComponent*, TOperation>> Expected = {{B, opRemove}};
  EXPECT_EQ(A->Log, Expected);
}

// Freeing many at once: the owner and the components that stay hear of
// each, newest first; those freed together do not hear of one another.
TEST(Component, FreeingSeveralTellsThoseThatStay) {
  TProbe Owner(nullptr);
  auto* Stays = new TProbe(&Owner);
  auto* A = new TProbe(&Owner);
  auto* B = new TProbe(&Owner);
  A->SetName("A");
  B->Peer = A; // B holds A and is freed first, while A is alive
  Owner.Log.clear();
  Owner.FreeComponents({A, B});
  const std::vector<std::pair<TComponent*, TOperation>> Expected = {{B, opRemove}, {A, opRemove}};
  EXPECT_EQ(Owner.Log, Expected);
  EXPECT_EQ(Stays->Log, Expected);
  EXPECT_FALSE(TProbe::Live().count(A));
  EXPECT_FALSE(TProbe::Live().count(B));
  ASSERT_EQ(Owner.ComponentCount(), 1);
  EXPECT_EQ(Owner.FindComponent("A"), nullptr);
}

TEST(Component, LoadingAndDesigningState) {
  TProbe Owner(nullptr);
  auto* A = new TProbe(&Owner);
  A->SetLoadingState(true);
  EXPECT_TRUE(A->ComponentState().Contains(csLoading));
  EXPECT_TRUE(A->ComponentState().Contains(csReading));
  A->ClearLoadingState();
  EXPECT_TRUE(A->ComponentState().Empty());
  A->SetLoadingState(false);
  A->Loaded();
  EXPECT_FALSE(A->ComponentState().Contains(csLoading));

  Owner.SetDesigning(true);
  EXPECT_TRUE(A->ComponentState().Contains(csDesigning));
  auto* B = new TProbe(&Owner);
  EXPECT_TRUE(B->ComponentState().Contains(csDesigning));
  Owner.SetDesigning(false);
  EXPECT_FALSE(B->ComponentState().Contains(csDesigning));
}

TEST(Component, ChildrenSeeTheirOwnerDestroying) {
  struct TReporter : TProbe {
    using TProbe::TProbe;
    bool* Out = nullptr;
    ~TReporter() override { *Out = ComponentState().Contains(csDestroying); }
  };
  bool Seen = false;
  auto* Owner = new TProbe(nullptr);
  auto* Child = new TReporter(Owner);
  Child->Out = &Seen;
  delete Owner;
  EXPECT_TRUE(Seen);
}
