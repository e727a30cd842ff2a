#include "autoquery/database/tools/office_database_creation.h"

#include <cstring>

#include "autoquery/database/firebird_session.h"
#include "autoquery/database/signal_dispositions.h"

namespace tarvel::autoquery {

namespace {

constexpr unsigned kDialect = 3;
constexpr unsigned kNameLength = 60;
constexpr unsigned kWin1251CharacterSetId = 52;
constexpr unsigned kUtf8CharacterSetId = 4;
constexpr unsigned kUtf8BytesPerCharacter = 4;
constexpr const char* kCreateTableWin1251 =
    "create table OFFICE (AZSNUMBER integer not null primary key, "
    "AZSNAME varchar(60) character set WIN1251)";
constexpr const char* kCreateTableUtf8 =
    "create table OFFICE (AZSNUMBER integer not null primary key, "
    "AZSNAME varchar(60) character set UTF8)";
constexpr const char* kInsertStation = "insert into OFFICE (AZSNUMBER, AZSNAME) values (?, ?)";

Firebird::IAttachment* createDatabase(Firebird::ThrowStatusWrapper& status,
                                      const std::filesystem::path& file,
                                      const std::string& configuration = {},
                                      const char* connectionCharacterSet = "WIN1251") {
  const std::string parameters =
      databaseParameterBlock(status, {.embedded = true,
                                      .createWithWin1251 = true,
                                      .configuration = configuration,
                                      .connectionCharacterSet = connectionCharacterSet});
  // The programs that make databases keep their signals too.
  const SignalDispositionsKept programsSignals;
  Firebird::IProvider* dispatcher = firebirdMaster()->getDispatcher();
  Firebird::IAttachment* attachment = nullptr;
  try {
    attachment =
        dispatcher->createDatabase(&status, file.c_str(), static_cast<unsigned>(parameters.size()),
                                   reinterpret_cast<const unsigned char*>(parameters.data()));
  } catch (...) {
    dispatcher->release();
    throw;
  }
  dispatcher->release();
  return attachment;
}

// The input message of the insert: AZSNUMBER integer, AZSNAME varchar(60) in the column's set.
Firebird::IMessageMetadata* insertMessage(Firebird::ThrowStatusWrapper& status,
                                          NameCharacterSet characterSet) {
  const bool utf8 = characterSet == NameCharacterSet::Utf8;
  Firebird::IMetadataBuilder* builder = firebirdMaster()->getMetadataBuilder(&status, 2);
  builder->setType(&status, 0, SQL_LONG);
  builder->setLength(&status, 0, sizeof(int32_t));
  builder->setType(&status, 1, SQL_VARYING);
  builder->setLength(&status, 1, utf8 ? kNameLength * kUtf8BytesPerCharacter : kNameLength);
  builder->setCharSet(&status, 1, utf8 ? kUtf8CharacterSetId : kWin1251CharacterSetId);
  Firebird::IMessageMetadata* metadata = builder->getMetadata(&status);
  builder->release();
  return metadata;
}

void insertStations(Firebird::ThrowStatusWrapper& status, Firebird::IAttachment* attachment,
                    Firebird::ITransaction* transaction, const std::vector<OfficeStation>& stations,
                    NameCharacterSet characterSet) {
  Firebird::IMessageMetadata* metadata = insertMessage(status, characterSet);
  Firebird::IStatement* statement =
      attachment->prepare(&status, transaction, 0, kInsertStation, kDialect, 0);
  try {
    std::vector<unsigned char> buffer(metadata->getMessageLength(&status));
    const unsigned numberOffset = metadata->getOffset(&status, 0);
    const unsigned nameOffset = metadata->getOffset(&status, 1);
    for (const OfficeStation& station : stations) {
      std::memcpy(buffer.data() + numberOffset, &station.AZSNUMBER, sizeof station.AZSNUMBER);
      if (station.AZSNAME.size() > kNameLength) {
        throw OfficeDatabaseError("AZSNAME longer than 60 characters");
      }
      const auto length = static_cast<uint16_t>(station.AZSNAME.size());
      std::memcpy(buffer.data() + nameOffset, &length, sizeof length);
      std::memcpy(buffer.data() + nameOffset + sizeof length, station.AZSNAME.data(), length);
      statement->execute(&status, transaction, metadata, buffer.data(), nullptr, nullptr);
    }
  } catch (...) {
    statement->release();
    metadata->release();
    throw;
  }
  statement->free(&status);
  metadata->release();
}

}  // namespace

void createEmptyOfficeDatabase(const std::filesystem::path& file) {
  callFirebird(
      [&](Firebird::ThrowStatusWrapper& status) { createDatabase(status, file)->detach(&status); });
}

void createOfficeDatabase(const std::filesystem::path& file,
                          const std::vector<OfficeStation>& stations,
                          NameCharacterSet characterSet) {
  callFirebird([&](Firebird::ThrowStatusWrapper& status) {
    Firebird::IAttachment* attachment = createDatabase(
        status, file, {}, characterSet == NameCharacterSet::Utf8 ? "UTF8" : "WIN1251");
    Firebird::ITransaction* transaction = nullptr;
    try {
      transaction = attachment->startTransaction(&status, 0, nullptr);
      attachment->execute(
          &status, transaction, 0,
          characterSet == NameCharacterSet::Utf8 ? kCreateTableUtf8 : kCreateTableWin1251, kDialect,
          nullptr, nullptr, nullptr, nullptr);
      transaction->commitRetaining(&status);
      insertStations(status, attachment, transaction, stations, characterSet);
      transaction->commit(&status);
      transaction = nullptr;
      attachment->detach(&status);
    } catch (...) {
      if (transaction != nullptr) {
        transaction->release();
      }
      attachment->release();
      throw;
    }
  });
}

void createSecurityDatabase(const std::filesystem::path& file) {
  // The engine manages the users of the security database its configuration names: here the
  // new file itself.
  const std::string configuration = "SecurityDatabase = " + file.string();
  const std::string createUser = std::string("create user ") + kOfficeUserName + " password '" +
                                 kOfficePassword + "' using plugin Srp";
  callFirebird([&](Firebird::ThrowStatusWrapper& status) {
    Firebird::IAttachment* attachment = createDatabase(status, file, configuration);
    Firebird::ITransaction* transaction = nullptr;
    try {
      transaction = attachment->startTransaction(&status, 0, nullptr);
      attachment->execute(&status, transaction, 0, createUser.c_str(), kDialect, nullptr, nullptr,
                          nullptr, nullptr);
      transaction->commit(&status);
      transaction = nullptr;
      attachment->detach(&status);
    } catch (...) {
      if (transaction != nullptr) transaction->release();
      attachment->release();
      throw;
    }
  });
}

}  // namespace tarvel::autoquery
