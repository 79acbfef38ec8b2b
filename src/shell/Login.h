#pragma once

#include "views/ProgramGlobals.h"

#include <QString>

namespace nidora::data {
class AccessObject;
class Dictionary;
} // namespace nidora::data

namespace nidora::shell {

// The fixed password that logs a new installation in with every right, so that its first
// administrator can be created. Once the users file holds an administrator it is no password at
// all: typed, it is looked up as a user code like any other text.
inline constexpr const char* kMasterPassword = "kwrt519";

// Shown at the login when the users file cannot be read: nobody is let in, not even with the
// master password, since a file whose administrators cannot be read may well still have some.
inline constexpr const char* kDamagedUsersFile
    = "El archivo de usuarios está dañado y debe restaurarse desde una copia de seguridad. "
      "Nadie puede ingresar al sistema hasta entonces.";

enum class LoginOutcome {
    LoggedIn, // LoggedIn, AccessRights (and for a user CurrentUserName) are set
    Refused, // no such user: the next code may be tried
    GaveUp, // the third code that matched no user
    Damaged, // the users file cannot be read: nobody logs in
};

// What the login window does with each code typed and accepted, on the data of its thread. The
// users file is open for the life of the object, as the window opens it for its own use.
class LoginCheck {
public:
    static constexpr int kAttempts = 3;

    LoginCheck(data::Dictionary& data, views::ProgramGlobals& globals);
    ~LoginCheck();
    LoginCheck(const LoginCheck&) = delete;
    LoginCheck& operator=(const LoginCheck&) = delete;

    // The master password counts only as typed, letter case included, trailing spaces aside,
    // and only while no administrator exists (nor when the users file cannot be read); any other
    // code is looked up as a user code, letter case ignored. A code that finds no
    // user (a blank one never does) shows nothing and counts as a failed attempt. A users
    // file that cannot be read (a damaged record) lets no code in: Damaged.
    LoginOutcome accept(const QString& typedCode);
    int failures() const { return failures_; }

private:
    bool masterPasswordOpens();
    // Every record of the open users file opens and is its own; read without a message.
    bool usersReadable();
    // The full check of the users file, once, before the first code is looked up: a damaged
    // key would refuse a valid user as an unknown code.
    bool usersFileSound();

    data::Dictionary& data_;
    data::AccessObject& users_;
    views::ProgramGlobals& globals_;
    bool opened_ = false;
    bool checked_ = false;
    bool sound_ = false;
    int failures_ = 0;
};

} // namespace nidora::shell
