// The data-aware edits' contract on SQLite, for each of the three controls.
#include "contract.h"
#include "sqlite_engine.h"

namespace dbtest {

using TSQLiteCases = ::testing::Types<TContractCase<vcl::TDBEdit, TSQLiteEngine>,
                                      TContractCase<BtnEdit::TDBBtnEdit, TSQLiteEngine>,
                                      TContractCase<ValEdit::TDBValidEdit, TSQLiteEngine>>;
INSTANTIATE_TYPED_TEST_SUITE_P(SQLite, DataAwareEditContract, TSQLiteCases);

} // namespace dbtest
