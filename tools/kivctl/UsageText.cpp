#include "tools/kivctl/UsageText.h"

std::wstring UsageText()
{
    return LR"usage(Usage: kivctl [options] COMMAND [operands]

Works with the files of the connected phone through Kivlink's KivVolume2 class; ls --volume,
cat and watch-dir through its one-volume class KivMobilePhone; status and port through
KivGeneral.

Commands:
  devices                  list the connected phones, one name per line
  drives                   list the phone's drives ("C:", "E:"), one per line
  ls PATH [-r]             list a phone folder (-r, --recursive: with everything below it)
  ls --volume PATH         list a folder of the one volume (below), one line per entry:
                           size, attributes as a hexadecimal word (0x00000010 a folder,
                           0x60000010 the memory card), last write date (YYYY-MM-DD HH:MM,
                           "-" for none) and name; an empty folder prints nothing
  info [PATH]              describe a phone (its name), a drive ("C:") or a file or folder,
                           one key=value line each; without PATH the current phone
  put PCFILE PHONEPATH     copy a PC file to the phone; PHONEPATH is a file path, an existing
                           folder, or a folder to create when it ends with "\"
  get PHONEFILE PCPATH     copy a phone file to the PC; PCPATH is a file or a folder
  cp SRC DST               copy in the direction the paths give (below)
  mv SRC DST               move: as cp, and the source goes after a successful copy
  rm PATH                  remove a phone file or folder; "*" and "?" in the last part of
                           the path remove every match (read-only files stay)
  mkdir PATH               create a phone folder and every missing folder above it
  format DRIVE             format a phone drive
  backup DRIVE PCFILE      back a phone drive up into a PC file
  restore DRIVE PCFILE     restore a phone drive from a PC backup file
  watch                    print Kivlink's events, one line each, until Ctrl+C
  cat PHONEFILE            write a phone file (one-volume path) to standard output as it is
  watch-dir PATH           print the folder path Kivlink reports each time it changed the
                           folder PATH, one line each, until Ctrl+C
  status [--json]          the phone's manufacturer, model and IMEI, Kivlink's version, the
                           battery charge and the signal level, one "key: value" line each
                           ("unknown" for a value the phone could not read); --json: the
                           same as one JSON object (unknown values null)
  port set PORT            let the phone connect through a PC port ("COM3") and wait for it
  port reset [PORT]        close the port again; without PORT the last port set (Kivlink
                           forgets it when it ends)
  port suspend             close the last port set for a while
  port resume              open again the ports closed since they were last resumed
  help                     this text

Options:
  --no-overwrite           put/get/cp/mv: fail when the destination file exists
  --leave-if-different     put/get/cp/mv: keep an existing different destination file and
                           write the new one under a new name ("a (0).mp3")
  --move                   put/get/cp: remove the source after a successful copy
  --async                  put/get/cp/mv/format/backup/restore: let Kivlink return at once,
                           then wait for the operation's completion event
  -q, --quiet              no progress line
  -r, --recursive          ls: list everything below the folder
  --volume                 ls: list through the one-volume class (not with -r)
  --json                   status: one JSON object
  -h, --help               this text
  --                       every later argument is an operand

Phone paths begin with the drive letter and colon: C:\Data\Music\song.mp3. PC paths may be
relative; kivctl hands them to Kivlink as absolute paths.

One-volume paths (ls --volume, cat, watch-dir) see the phone memory as the volume and the
memory card as its folder "MultiMediaCard (E:)": \Images\ is C:\Images\,
"MultiMediaCard (E:)\Images\*.jpg" the JPEG files of E:\Images\; a path with a drive letter
("C:\", "E:\Sounds\") names that drive. Listing "\" or "C:\" shows the memory card first.
watch-dir registers the folder in the form Kivlink reports (C:\Images becomes \Images\).

Direction of cp and mv:
  a "pc:" or "phone:" prefix decides for its path (pc:C:\x, phone:C:\Data\a.txt);
  a path without drive letter and colon is a PC path;
  the source is a PC path when such a PC file exists, else a phone path;
  the destination is a phone path when its drive is one of the phone's drives, else a PC
  path. PC to phone is a put, phone to PC a get, phone to phone a copy (or move) inside the
  phone, which Kivlink always does before it returns.

Long operations (put, get, cp and mv through the PC, format, backup, restore) draw a
progress line on standard error; when standard error is not a console (a log file, a pipe)
they write one line per 10% step instead ("put song.mp3  10%", ..., "put song.mp3 100%").
Ctrl+C asks Kivlink to cancel at the next progress report;
a second Ctrl+C ends kivctl at once. Lists go to standard output one item per line; errors
go to standard error as "kivctl: COMMAND: TEXT (0xHRESULT)".

Exit codes:
  0  success (watch, watch-dir: ended with Ctrl+C)
  1  usage error: unknown command or option, missing or extra operands
  2  Kivlink is not available (its class could not be created)
  3  no phone connected
  4  not found: drive, folder or file
  5  invalid argument (a path Kivlink refuses, a missing PC source file)
  6  the destination exists already
  7  cancelled (Ctrl+C, or the operation was aborted)
  8  any other failure
)usage";
}

std::wstring UsageHint()
{
    return L"Try 'kivctl --help' for more information.";
}
