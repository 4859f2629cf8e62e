// Run-time class records and message maps along a small class tree. (The thread end is checked
// with the same steps by the thread state tests, on both Windows architectures.)
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "afx/cmd_target.h"

namespace {

class Base : public CCmdTarget {
  DECLARE_DYNAMIC(Base)

 public:
  std::string trace;

 protected:
  void note(const char* what) { trace += what; }

  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNAMIC(Base, CCmdTarget)

BEGIN_MESSAGE_MAP(Base, CCmdTarget)
AFX_MSG_ENTRY(1, self->note("base1;"); return 10;)
AFX_MSG_ENTRY(2, self->note("base2;"); return 20;)
END_MESSAGE_MAP()

class Derived : public Base {
  DECLARE_DYNCREATE(Derived)
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(Derived, Base)

BEGIN_MESSAGE_MAP(Derived, Base)
AFX_MSG_ENTRY(2, self->note("derived2;"); return 30;)
AFX_MSG_ENTRY(3, return static_cast<LRESULT>(wParam) - lParam;)
AFX_MSG_ENTRY(3, self->note("second entry;"); return 0;)
END_MESSAGE_MAP()

TEST(RuntimeClass, NamesTheClassLinksItsBaseAndMakesOnlyDynCreateClasses) {
  const CRuntimeClass* derived = RUNTIME_CLASS(Derived);
  EXPECT_STREQ("Derived", derived->m_lpszClassName);
  EXPECT_EQ(RUNTIME_CLASS(Base), derived->m_pBaseClass);
  EXPECT_TRUE(derived->IsDerivedFrom(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(RUNTIME_CLASS(Base)->IsDerivedFrom(derived));

  std::unique_ptr<CObject> made(derived->CreateObject());
  ASSERT_NE(nullptr, made);
  EXPECT_EQ(derived, made->GetRuntimeClass());
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(Base)));
  EXPECT_EQ(nullptr, RUNTIME_CLASS(Base)->CreateObject());
}

LRESULT dispatch(CCmdTarget& target, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  LRESULT result = -1;
  EXPECT_TRUE(target.DispatchMappedMessage(message, wParam, lParam, &result)) << message;
  return result;
}

TEST(MessageMap, MostDerivedThenFirstEntryWinsBaseEntriesAreReachedAndTheRestLeft) {
  Derived derived;
  EXPECT_EQ(30, dispatch(derived, 2));
  EXPECT_EQ(10, dispatch(derived, 1));
  EXPECT_EQ(7, dispatch(derived, 3, 10, 3));
  EXPECT_EQ("derived2;base1;", derived.trace);
  Base base;
  LRESULT result = 99;
  EXPECT_FALSE(derived.DispatchMappedMessage(4, 0, 0, &result));
  EXPECT_FALSE(base.DispatchMappedMessage(3, 0, 0, &result));
  EXPECT_EQ(99, result);  // unmapped messages are left to the caller
}

}  // namespace
