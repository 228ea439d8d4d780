// The data-aware edits' contract on PostgreSQL, for each of the three controls.
#include "contract.h"
#include "pg_engine.h"

namespace dbtest {

using TPgCases = ::testing::Types<TContractCase<vcl::TDBEdit, TPgEngine>,
                                  TContractCase<BtnEdit::TDBBtnEdit, TPgEngine>,
                                  TContractCase<ValEdit::TDBValidEdit, TPgEngine>>;
INSTANTIATE_TYPED_TEST_SUITE_P(PostgreSQL, DataAwareEditContract, TPgCases);

} // namespace dbtest
