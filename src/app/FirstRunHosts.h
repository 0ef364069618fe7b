#pragma once
// The hosts a new user starts with: ten well-known public web servers and
// ten well-known public FTP servers, as bare host names.
namespace first_run {

inline constexpr const char* kWebHosts[10] = {
    "www.wikipedia.org", "www.debian.org", "www.gnu.org",   "www.kernel.org", "www.apache.org",
    "www.mozilla.org",   "www.python.org", "www.w3.org",    "www.ietf.org",   "www.bbc.co.uk",
};

inline constexpr const char* kFtpHosts[10] = {
    "ftp.debian.org", "ftp.gnu.org",  "ftp.freebsd.org", "ftp.netbsd.org", "ftp.openbsd.org",
    "ftp.funet.fi",   "ftp.sunet.se", "ftp.heanet.ie",   "ftp.cpan.org",   "ftp.isc.org",
};

}  // namespace first_run
