#include "autoquery/database/office_database.h"

#include <QString>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "autoquery/database/connection_probe.h"
#include "autoquery/database/database_server_address.h"
#include "autoquery/database/firebird_session.h"
#include "autoquery/database/office_database_name.h"
#include "autoquery/database/office_database_texts.h"
#include "autoquery/database/signal_dispositions.h"
#include "platform/cp1251.h"

namespace tarvel::autoquery {

namespace {

constexpr const char* kStationQuery = "select * from OFFICE order by AZSNUMBER";
constexpr const char* kNameColumn = "AZSNAME";
constexpr unsigned kDialect = 3;
// Room for a name column of another type converted to text by the server.
constexpr unsigned kConvertedNameLength = 64;
// Character sets by the client's numbers: bytes without a character set, and UTF-8.
constexpr unsigned kCharacterSetNone = 0;
constexpr unsigned kCharacterSetOctets = 1;
constexpr unsigned kCharacterSetUtf8 = 4;
constexpr unsigned kUtf8BytesPerCharacter = 4;
constexpr unsigned kLongestVarchar = 32'765;

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

// How the name column comes out of the output message.
struct NameColumn {
  unsigned position = 0;
  bool fixedLength = false;  // CHAR: padded with blanks
  bool utf8 = false;         // asked for as UTF-8, to be turned into Windows-1251 here
};

// The output message with the name column as VARCHAR: other types are converted to text by the
// server, as a text reader would. On the connection without a character set, a text column with
// one is asked for as UTF-8, which every character set converts into without loss, and turned
// into Windows-1251 here, where a character the code page lacks can become "?" (the server would
// fail the fetch instead, ending the list). Bytes without a character set come as they are,
// taken to be Windows-1251 already.
Firebird::IMessageMetadata* outputWithTextName(Firebird::ThrowStatusWrapper& status,
                                               Firebird::IMessageMetadata* described,
                                               NameColumn& column) {
  Firebird::IMetadataBuilder* builder = described->getBuilder(&status);
  const unsigned type = described->getType(&status, column.position) & ~1u;
  const unsigned characterSet = described->getCharSet(&status, column.position);
  column.fixedLength = type == SQL_TEXT;
  if (type != SQL_TEXT && type != SQL_VARYING) {
    builder->setType(&status, column.position, SQL_VARYING | 1u);
    builder->setLength(&status, column.position, kConvertedNameLength);
    builder->setScale(&status, column.position, 0);
  } else {
    builder->setType(&status, column.position, SQL_VARYING | 1u);
    if (characterSet != kCharacterSetNone && characterSet != kCharacterSetOctets) {
      const unsigned length = described->getLength(&status, column.position);
      builder->setCharSet(&status, column.position, kCharacterSetUtf8);
      builder->setLength(&status, column.position,
                         std::min(length * kUtf8BytesPerCharacter, kLongestVarchar));
      column.utf8 = true;
    }
  }
  Firebird::IMessageMetadata* output = builder->getMetadata(&status);
  builder->release();
  return output;
}

// The name as Windows-1251 bytes: a character that the code page does not hold becomes "?".
std::string windows1251Name(std::string value, const NameColumn& column) {
  if (column.utf8)
    value = platform::fromUnicode(
        QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
  // A CHAR column pads every value to its length; the padding is not the name.
  if (column.fixedLength) value.erase(value.find_last_not_of(' ') + 1);
  return value;
}

// Attaches through the dispatcher: the embedded engine alone for a local file.
Firebird::IAttachment* attach(const AttachmentTarget& target) {
  Firebird::IAttachment* attachment = nullptr;
  callFirebird([&](Firebird::ThrowStatusWrapper& status) {
    const std::string parameters =
        databaseParameterBlock(status, {.embedded = target.embedded,
                                        .createWithWin1251 = false,
                                        .configuration = {},
                                        .connectionCharacterSet = "NONE"});
    Firebird::IProvider* dispatcher = firebirdMaster()->getDispatcher();
    try {
      attachment = dispatcher->attachDatabase(
          &status, target.connectionString.c_str(), static_cast<unsigned>(parameters.size()),
          reinterpret_cast<const unsigned char*>(parameters.data()));
    } catch (...) {
      dispatcher->release();
      throw;
    }
    dispatcher->release();
  });
  return attachment;
}

// "…не ответил на подключение за 5 с".
std::string connectDidNotAnswer() {
  return std::string(text::kConnectDidNotAnswer) + std::to_string(kConnectTimeoutSeconds) +
         text::kSeconds;
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
  // Written by the thread that uses the connection; read under the mutex also by abort().
  Firebird::IAttachment* attachment = nullptr;
  Firebird::ITransaction* transaction = nullptr;
  std::mutex attachmentMutex;
  ConnectionProbe probe;  // cancelled by abort() from another thread

  void setAttachment(Firebird::IAttachment* newAttachment) {
    const std::lock_guard lock(attachmentMutex);
    attachment = newAttachment;
  }
  Firebird::IAttachment* takeAttachment() {
    const std::lock_guard lock(attachmentMutex);
    return std::exchange(attachment, nullptr);
  }
};

OfficeDatabase::OfficeDatabase() : handles_(std::make_unique<Handles>()) {}

OfficeDatabase::~OfficeDatabase() {
  try {
    disconnect();
  } catch (const OfficeDatabaseError&) {
    // A connection that cannot even be closed is dropped with its handles.
  }
  releaseQuietly(handles_->transaction);
  Firebird::IAttachment* attachment = handles_->takeAttachment();
  releaseQuietly(attachment);
}

bool OfficeDatabase::connected() const { return handles_->attachment != nullptr; }

bool OfficeDatabase::transactionActive() const { return handles_->transaction != nullptr; }

void OfficeDatabase::waitUntilTheServerTakesConnections(const std::string& connectionString) {
  const std::optional<DatabaseServerAddress> server = databaseServerAddress(connectionString);
  if (!server) return;
  switch (handles_->probe.check(*server, std::chrono::seconds(kConnectTimeoutSeconds))) {
    case ConnectionProbe::Outcome::Accepted:
    case ConnectionProbe::Outcome::NotAccepted:  // the client tries and says why it failed
      return;
    case ConnectionProbe::Outcome::TimedOut:
      throw OfficeDatabaseError(connectDidNotAnswer());
    case ConnectionProbe::Outcome::Cancelled:
      throw OfficeDatabaseError(text::kConnectGivenUp);
  }
}

void OfficeDatabase::connect(std::string_view databaseName) {
  if (connected()) {
    return;
  }
  const AttachmentTarget target = attachmentTarget(databaseName);
  // The client's connect could hang for minutes where this check gives up within its bound.
  if (!target.embedded) waitUntilTheServerTakesConnections(target.connectionString);
  const auto started = std::chrono::steady_clock::now();
  try {
    const SignalDispositionsKept hostsSignals;
    std::exception_ptr failure;
    try {
      handles_->setAttachment(attach(target));
    } catch (...) {
      failure = std::current_exception();
    }
    if (afterAttachCall_) afterAttachCall_();
    if (failure) std::rethrow_exception(failure);
  } catch (const OfficeDatabaseError&) {
    // A server that takes the connection and stays silent is given up by the client after the
    // connect timeout with the words "connection rejected"; say what happened instead.
    if (!target.embedded && std::chrono::steady_clock::now() - started >=
                                std::chrono::seconds(kConnectTimeoutSeconds)) {
      throw OfficeDatabaseError(connectDidNotAnswer());
    }
    throw;
  }
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
      NameColumn column{.position = nameColumn(status, described)};
      output = outputWithTextName(status, described, column);
      const unsigned valueOffset = output->getOffset(&status, column.position);
      const unsigned nullOffset = output->getNullOffset(&status, column.position);
      std::vector<unsigned char> buffer(output->getMessageLength(&status));
      rows = statement->openCursor(&status, handles_->transaction, nullptr, nullptr, output, 0);
      while (rows->fetchNext(&status, buffer.data()) == Firebird::IStatus::RESULT_OK) {
        std::string name;
        int16_t isNull = 0;
        std::memcpy(&isNull, buffer.data() + nullOffset, sizeof isNull);
        if (isNull == 0) {
          uint16_t length = 0;
          std::memcpy(&length, buffer.data() + valueOffset, sizeof length);
          name = windows1251Name(std::string(reinterpret_cast<const char*>(
                                                 buffer.data() + valueOffset + sizeof length),
                                             length),
                                 column);
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

void OfficeDatabase::abort() noexcept {
  handles_->probe.cancel();
  Firebird::IAttachment* attachment = nullptr;
  {
    const std::lock_guard lock(handles_->attachmentMutex);
    attachment = handles_->attachment;
    if (attachment == nullptr) return;
    attachment->addRef();  // kept while the call below uses it, whatever the owner does
  }
  try {
    callFirebird([&](Firebird::ThrowStatusWrapper& status) {
      attachment->cancelOperation(&status, fb_cancel_abort);
    });
  } catch (const OfficeDatabaseError&) {
    // Nothing to abort (an embedded connection, or one already gone).
  }
  attachment->release();
}

void OfficeDatabase::disconnect() {
  if (!connected()) {
    return;
  }
  // A connection that is already gone (shut down by the server, or by the client at a signal)
  // is closed as far as we are concerned: its handles go, and nothing is reported.
  try {
    rollback();
  } catch (const OfficeDatabaseError& error) {
    Firebird::IAttachment* attachment = handles_->takeAttachment();
    releaseQuietly(attachment);
    if (!error.connectionGone()) throw;
    return;
  } catch (...) {
    Firebird::IAttachment* attachment = handles_->takeAttachment();
    releaseQuietly(attachment);
    throw;
  }
  Firebird::IAttachment* attachment = handles_->takeAttachment();
  try {
    callFirebird([&](Firebird::ThrowStatusWrapper& status) {
      attachment->detach(&status);  // releases the handle when it succeeds
      attachment = nullptr;
    });
  } catch (const OfficeDatabaseError& error) {
    releaseQuietly(attachment);
    if (!error.connectionGone()) throw;
  } catch (...) {
    releaseQuietly(attachment);
    throw;
  }
}

}  // namespace tarvel::autoquery
