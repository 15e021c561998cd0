#include "journal/Database.h"

namespace vr::journal {

Database::~Database() {
    Close();
}

int Database::Open(const std::string& path, int flags) {
    Close();
    const int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    // A handle comes back even when the open failed; it holds the reason until it is closed.
    if (rc != SQLITE_OK) return rc;
    sqlite3_extended_result_codes(db_, 1);
    return SQLITE_OK;
}

void Database::Close() {
    if (db_ != nullptr) sqlite3_close_v2(db_);
    db_ = nullptr;
}

int Database::Exec(const std::string& sql) {
    if (db_ == nullptr) return SQLITE_MISUSE;
    return sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
}

std::string Database::Error() const {
    return db_ == nullptr ? "not open" : sqlite3_errmsg(db_);
}

int Database::ErrorCode() const {
    return db_ == nullptr ? SQLITE_MISUSE : sqlite3_extended_errcode(db_);
}

int64_t Database::LastInsertId() const {
    return db_ == nullptr ? 0 : sqlite3_last_insert_rowid(db_);
}

int Database::Changes() const {
    return db_ == nullptr ? 0 : sqlite3_changes(db_);
}

Statement::Statement(Database& db, const std::string& sql) {
    if (db.Handle() != nullptr) sqlite3_prepare_v2(db.Handle(), sql.c_str(), -1, &stmt_, nullptr);
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

void Statement::Bind(int position, const std::string& text) {
    sqlite3_bind_text(stmt_, position, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void Statement::Bind(int position, int64_t number) {
    sqlite3_bind_int64(stmt_, position, number);
}

void Statement::BindNull(int position) {
    sqlite3_bind_null(stmt_, position);
}

int Statement::Step() {
    return stmt_ == nullptr ? SQLITE_MISUSE : sqlite3_step(stmt_);
}

void Statement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

std::string Statement::Text(int column) const {
    const unsigned char* text = sqlite3_column_text(stmt_, column);
    return text == nullptr ? std::string()
                           : std::string(reinterpret_cast<const char*>(text),
                                         static_cast<size_t>(sqlite3_column_bytes(stmt_, column)));
}

int64_t Statement::Number(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

bool Statement::IsNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

}  // namespace vr::journal
