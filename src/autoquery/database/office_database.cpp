#include "autoquery/database/office_database.h"

#include <cstring>
#include <utility>
#include <vector>

#include "autoquery/database/office_database_name.h"

namespace tarvel::autoquery {

namespace {

constexpr const char* kStationQuery = "select * from OFFICE order by AZSNUMBER";
constexpr const char* kNameColumn = "AZSNAME";
constexpr unsigned kDialect = 3;
// Room for a name column of another type converted to text by the server.
constexpr unsigned kConvertedNameLength = 64;

const unsigned char kReadOnlyTransaction[] = {isc_tpb_version3, isc_tpb_read_committed,
                                              isc_tpb_rec_version, isc_tpb_nowait, isc_tpb_read};

// The position of the name column in the query's output, or an error naming it.
unsigned nameColumn(Firebird::ThrowStatusWrapper& status, Firebird::IMessageMetadata* metadata) {
  const unsigned count = metadata->getCount(&status);
  for (unsigned column = 0; column < count; ++column) {
    if (std::strcmp(metadata->getField(&status, column), kNameColumn) == 0) {
      return column;
    }
  }
  throw OfficeDatabaseError(std::string("Field '") + kNameColumn + "' not found");
}

// The output message with the name column as VARCHAR: text columns keep their length and
// character set, other types are converted to text by the server, as a text reader would.
Firebird::IMessageMetadata* outputWithTextName(Firebird::ThrowStatusWrapper& status,
                                               Firebird::IMessageMetadata* described,
                                               unsigned column) {
  Firebird::IMetadataBuilder* builder = described->getBuilder(&status);
  const unsigned type = described->getType(&status, column) & ~1u;
  if (type != SQL_TEXT && type != SQL_VARYING) {
    builder->setType(&status, column, SQL_VARYING | 1u);
    builder->setLength(&status, column, kConvertedNameLength);
    builder->setScale(&status, column, 0);
  } else {
    builder->setType(&status, column, SQL_VARYING | 1u);
  }
  Firebird::IMessageMetadata* output = builder->getMetadata(&status);
  builder->release();
  return output;
}

template <typename Interface>
void releaseQuietly(Interface*& handle) {
  if (handle != nullptr) {
    handle->release();
    handle = nullptr;
  }
}

}  // namespace

struct OfficeDatabase::Handles {
  Firebird::IAttachment* attachment = nullptr;
  Firebird::ITransaction* transaction = nullptr;
};

OfficeDatabase::OfficeDatabase() : handles_(std::make_unique<Handles>()) {}

OfficeDatabase::~OfficeDatabase() {
  try {
    disconnect();
  } catch (const OfficeDatabaseError&) {
    // A connection that cannot even be closed is dropped with its handles.
  }
  releaseQuietly(handles_->transaction);
  releaseQuietly(handles_->attachment);
}

bool OfficeDatabase::connected() const { return handles_->attachment != nullptr; }

bool OfficeDatabase::transactionActive() const { return handles_->transaction != nullptr; }

void OfficeDatabase::connect(std::string_view databaseName) {
  if (connected()) {
    return;
  }
  const AttachmentTarget target = attachmentTarget(databaseName);
  callFirebird([&](Firebird::ThrowStatusWrapper& status) {
    const std::string parameters = databaseParameterBlock(status, {.embedded = target.embedded});
    Firebird::IProvider* dispatcher = firebirdMaster()->getDispatcher();
    try {
      handles_->attachment = dispatcher->attachDatabase(
          &status, target.connectionString.c_str(), static_cast<unsigned>(parameters.size()),
          reinterpret_cast<const unsigned char*>(parameters.data()));
    } catch (...) {
      dispatcher->release();
      throw;
    }
    dispatcher->release();
  });
}

void OfficeDatabase::startTransaction() {
  if (!connected()) {
    throw OfficeDatabaseError("Database not connected");
  }
  if (transactionActive()) {
    return;
  }
  callFirebird([&](Firebird::ThrowStatusWrapper& status) {
    handles_->transaction = handles_->attachment->startTransaction(
        &status, sizeof kReadOnlyTransaction, kReadOnlyTransaction);
  });
}

void OfficeDatabase::forEachStationName(
    const std::function<void(const std::string& AZSNAME)>& onRow) {
  if (!transactionActive()) {
    throw OfficeDatabaseError("Transaction not active");
  }
  Firebird::IStatement* statement = nullptr;
  Firebird::IMessageMetadata* described = nullptr;
  Firebird::IMessageMetadata* output = nullptr;
  Firebird::IResultSet* rows = nullptr;
  auto releaseAll = [&] {
    releaseQuietly(rows);
    releaseQuietly(output);
    releaseQuietly(described);
    releaseQuietly(statement);
  };
  try {
    callFirebird([&](Firebird::ThrowStatusWrapper& status) {
      statement = handles_->attachment->prepare(&status, handles_->transaction, 0, kStationQuery,
                                                kDialect, 0);
      described = statement->getOutputMetadata(&status);
      const unsigned column = nameColumn(status, described);
      const bool fixedLength = (described->getType(&status, column) & ~1u) == SQL_TEXT;
      output = outputWithTextName(status, described, column);
      const unsigned valueOffset = output->getOffset(&status, column);
      const unsigned nullOffset = output->getNullOffset(&status, column);
      std::vector<unsigned char> buffer(output->getMessageLength(&status));
      rows = statement->openCursor(&status, handles_->transaction, nullptr, nullptr, output, 0);
      while (rows->fetchNext(&status, buffer.data()) == Firebird::IStatus::RESULT_OK) {
        std::string name;
        int16_t isNull = 0;
        std::memcpy(&isNull, buffer.data() + nullOffset, sizeof isNull);
        if (isNull == 0) {
          uint16_t length = 0;
          std::memcpy(&length, buffer.data() + valueOffset, sizeof length);
          name.assign(reinterpret_cast<const char*>(buffer.data() + valueOffset + sizeof length),
                      length);
          // A CHAR column pads every value to its length; the padding is not the name.
          if (fixedLength) {
            name.erase(name.find_last_not_of(' ') + 1);
          }
        }
        onRow(name);
      }
      rows->close(&status);
      rows = nullptr;  // close() released it
    });
  } catch (...) {
    releaseAll();
    throw;
  }
  releaseAll();
}

void OfficeDatabase::rollback() {
  if (!transactionActive()) {
    return;
  }
  // Whether or not the server confirms it, the transaction is over for us: a lost connection
  // must not leave the window unable to start a fresh one.
  Firebird::ITransaction* transaction = std::exchange(handles_->transaction, nullptr);
  try {
    callFirebird([&](Firebird::ThrowStatusWrapper& status) {
      transaction->rollback(&status);  // releases the handle when it succeeds
      transaction = nullptr;
    });
  } catch (...) {
    releaseQuietly(transaction);
    throw;
  }
}

void OfficeDatabase::disconnect() {
  if (!connected()) {
    return;
  }
  try {
    rollback();
  } catch (...) {
    Firebird::IAttachment* attachment = std::exchange(handles_->attachment, nullptr);
    releaseQuietly(attachment);
    throw;
  }
  Firebird::IAttachment* attachment = std::exchange(handles_->attachment, nullptr);
  try {
    callFirebird([&](Firebird::ThrowStatusWrapper& status) {
      attachment->detach(&status);  // releases the handle when it succeeds
      attachment = nullptr;
    });
  } catch (...) {
    releaseQuietly(attachment);
    throw;
  }
}

}  // namespace tarvel::autoquery
