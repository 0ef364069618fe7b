#pragma once
// What became of one network contact, as the results of the calls it made
// tell it.
enum class ContactOutcome {
    // Through a proxy: the proxy answered the HTTP request with a status
    // line. FTP: the server greeted or answered the login. Direct: the
    // connection was accepted.
    Answered,
    // The connection was refused or reset.
    Refused,
    // The contact ran out of time, or the attempt was dropped.
    NoAnswer,
    // The name did not resolve, whatever the reason.
    HostNotFound,
    // No contact: the system reports no Internet connection.
    NoConnection,
};
