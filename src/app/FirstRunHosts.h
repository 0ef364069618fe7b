#pragma once
// The hosts a new user starts with, as bare host names. A stored list is
// never touched: these are written at the first start only.
namespace first_run {

// Hosts that operating systems and browsers themselves contact, unasked and
// every few minutes, to learn whether the Internet can be reached: a small
// contact a minute is the very traffic they are there for.
inline constexpr const char* kWebHosts[10] = {
    "www.msftconnecttest.com",        // Windows 10 and 11
    "www.msftncsi.com",               // Windows Vista to 8.1
    "captive.apple.com",              // macOS and iOS
    "connectivitycheck.gstatic.com",  // Android
    "clients3.google.com",            // ChromeOS and Chrome
    "detectportal.firefox.com",       // Firefox
    "nmcheck.gnome.org",              // NetworkManager, GNOME
    "connectivity-check.ubuntu.com",  // Ubuntu
    "network-test.debian.org",        // Debian
    "ping.archlinux.org",             // Arch Linux
};

// Public FTP servers of free-software projects, universities and research
// networks that offer anonymous FTP to anyone; an anonymous login is the
// service they offer.
inline constexpr const char* kFtpHosts[10] = {
    "ftp.gnu.org",                  // the GNU project, United States
    "ftp.netbsd.org",               // the NetBSD project
    "ftp.funet.fi",                 // FUNET, Finland
    "ftp.sunet.se",                 // SUNET, Sweden
    "ftp.heanet.ie",                // HEAnet, Ireland
    "ftp.fau.de",                   // University of Erlangen-Nuremberg, Germany
    "ftp.halifax.rwth-aachen.de",   // RWTH Aachen University, Germany
    "ftp.icm.edu.pl",               // ICM, University of Warsaw, Poland
    "ftp.jaist.ac.jp",              // JAIST, Japan
    "ftp.kaist.ac.kr",              // KAIST, Korea
};

}  // namespace first_run
