#pragma once
// What became of one contact, read from the results of the calls it made.

enum class ContactOutcome {
    // A proxy answered the HTTP request with a status line, an FTP server
    // greeted or answered the login (a refused login included), or the host
    // accepted a direct connection.
    Answered,
    // The connection was refused or reset.
    Refused,
    // The contact ran out of time, the attempt was dropped, or it could not
    // be made for a reason of this machine's own.
    NoAnswer,
    // The name did not resolve, whatever the reason.
    HostNotFound,
    // None was made: the system reports no Internet connection.
    NoConnection,
};
