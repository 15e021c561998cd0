#pragma once
// The little of SQLite the journal uses, with the handles closed on every path: a connection, and
// statements bound by position and stepped row by row. Nothing throws; each call says whether it
// went through and the connection keeps SQLite's account of the last failure.

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>

namespace vr::journal {

class Statement;

class Database {
public:
    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // SQLITE_OK or SQLite's result; `flags` as sqlite3_open_v2 takes them.
    int Open(const std::string& path, int flags);
    void Close();
    bool IsOpen() const { return db_ != nullptr; }

    // Runs statements that return no rows; SQLITE_OK or the failure's result.
    int Exec(const std::string& sql);
    // SQLite's text for the last failure on this connection, and its (extended) result code.
    std::string Error() const;
    int ErrorCode() const;
    int64_t LastInsertId() const;
    int Changes() const;

    sqlite3* Handle() { return db_; }

private:
    sqlite3* db_ = nullptr;
};

class Statement {
public:
    Statement(Database& db, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool Prepared() const { return stmt_ != nullptr; }

    // Positions count from 1, as in SQL.
    void Bind(int position, const std::string& text);
    void Bind(int position, int64_t number);
    void BindNull(int position);
    template <typename T>
    void Bind(int position, const std::optional<T>& value) {
        if (value)
            Bind(position, *value);
        else
            BindNull(position);
    }

    // SQLITE_ROW while there is a row, then SQLITE_DONE; anything else is a failure.
    int Step();
    // Ready to run again with new values.
    void Reset();

    std::string Text(int column) const;
    int64_t Number(int column) const;
    bool IsNull(int column) const;

private:
    sqlite3_stmt* stmt_ = nullptr;
};

}  // namespace vr::journal
