#pragma once
// Every command line the program writes to the terminal, in one place. Each ends in CR LF;
// the identity and status requests are two command lines each.

namespace Command {
constexpr char identity[] = ">I 0\r\n>I 1\r\n";       // DI, DN, MN; DF, RW
constexpr char status[] = ">I 3\r\n>I 7\r\n";         // the state and sensor records
constexpr char readSettings[] = ">D 15;0\r\n";        // one ST record
constexpr char restart[] = ">D 1\r\n";                // RD, then the line goes
constexpr char firmwareOverUsb[] = ">D 3;0\r\n";      // the terminal drops into its loader
constexpr char firmwareOverGprs[] = ">D 2;0\r\n";
constexpr char settingsOverGprs[] = ">D 0;0\r\n";
constexpr char sendPacket[] = ">D 4;1\r\n";
constexpr char clearPacketMemory[] = ">D 8;0\r\n>I 1\r\n";
constexpr char tachographDownload[] = ">D 9\r\n";
// The settings string: access password, this marker, the items.
constexpr char settingsMarker[] = "*SETP*";
} // namespace Command
