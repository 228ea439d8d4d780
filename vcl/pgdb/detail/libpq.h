// libpq, loaded when the first PostgreSQL connection needs it rather than
// linked into every program that links vcl_pg: a program that only ever
// opens SQLite files then starts without mapping libpq and what it pulls in
// (Kerberos, LDAP, TLS), which is most of the shared libraries it would
// otherwise load. The declarations of libpq-fe.h still give every function
// its type, so a call through the table is checked as a direct call is.
#pragma once

#include <libpq-fe.h>

// The libpq functions vcl_pg calls, each named once: the table's members
// and the loader's look-ups are both made from this list.
#define VCL_LIBPQ_FUNCTIONS(F)                                                                     \
  F(PQclear)                                                                                       \
  F(PQcmdTuples)                                                                                   \
  F(PQconnectdbParams)                                                                             \
  F(PQconnectionNeedsPassword)                                                                     \
  F(PQconnectionUsedPassword)                                                                      \
  F(PQconninfoFree)                                                                                \
  F(PQconninfoParse)                                                                               \
  F(PQdb)                                                                                          \
  F(PQerrorMessage)                                                                                \
  F(PQexec)                                                                                        \
  F(PQexecPrepared)                                                                                \
  F(PQfinish)                                                                                      \
  F(PQfmod)                                                                                        \
  F(PQfname)                                                                                       \
  F(PQfreemem)                                                                                     \
  F(PQftype)                                                                                       \
  F(PQgetisnull)                                                                                   \
  F(PQgetlength)                                                                                   \
  F(PQgetvalue)                                                                                    \
  F(PQhost)                                                                                        \
  F(PQnfields)                                                                                     \
  F(PQntuples)                                                                                     \
  F(PQport)                                                                                        \
  F(PQprepare)                                                                                     \
  F(PQresultErrorField)                                                                            \
  F(PQresultStatus)                                                                                \
  F(PQsetNoticeProcessor)                                                                          \
  F(PQstatus)                                                                                      \
  F(PQuser)

namespace vcl::pg {

// The functions of one loaded libpq.
struct TLibpq {
#define VCL_LIBPQ_MEMBER(Name) decltype(&::Name) Name = nullptr;
  VCL_LIBPQ_FUNCTIONS(VCL_LIBPQ_MEMBER)
#undef VCL_LIBPQ_MEMBER
};

// The client library the connections use: libpq.so.5, loaded on the first
// call and kept for the rest of the process. Raises EDatabaseError
// "PostgreSQL client library (libpq.so.5) could not be loaded: <why>" when
// it cannot be, or lacks a function; the next call tries again.
const TLibpq& Libpq();

} // namespace vcl::pg
