// The board's tables, made or brought up to date when a server starts. Every
// server and worker host runs this; an advisory lock lets one at a time.
#pragma once

#include <pqxx/pqxx>

// The schema's version this program knows.
int SchemaVersion();

// Applies the migrations the database lacks; throws, with the reason, for a
// database whose schema is newer than this program knows.
void MigrateSchema(pqxx::connection_base& connection);
