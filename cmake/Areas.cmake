# The areas of src/ and what each may use: the one list the libraries are
# made from (cmake/AreaLibraries.cmake) and every #include "area/..." is
# checked against (cmake/CheckAreas.cmake), so an include that runs up the
# layers or round a circle stops the build.
#
#   torepal_area(<folder> [QT] PUBLIC <areas>... PRIVATE <areas>...)
#
# <folder> is a folder of src/ (plate, plate/ui); its library is
# torepal_<folder> with / as _ (torepal_plate_ui), QT for the ones built on
# Qt Widgets. A program's main.cpp is an area of its own (PROGRAM <target>);
# NO_LIBRARY marks a folder whose target is made elsewhere.
#
# PUBLIC areas are the ones its headers include, PRIVATE the ones only its
# .cpp files include. A header may include its own area and what its PUBLIC
# areas show; a .cpp file also what its PRIVATE areas show; an area shows
# its own headers and, in turn, what its PUBLIC areas show. That is what
# CMake hands on to whoever links a library, so the check and the linker
# agree.
#
# Layers, bottom to top (an area uses only areas of the layers below it, or
# one named before it in its own layer):
#
#   io                           bare files; little-endian records
#   preview, text                the preview pipe's format; Shift-JIS,
#                                lines, file names
#   store, shipping, platform    settings files; carriers and tariffs; the
#                                interface to the desktop
#   bank                         bank accounts, kept in the settings files
#   plate, mail, files           listing pages; mails; the saved-file list
#   app                          the project file and the crash recovery
#   platform/ui, preview/ui      the Qt halves, above every core area: the
#   shipping/ui, bank/ui         desktop and the preview process; the tariff
#   plate/ui, mail/ui, files/ui  editor and the account boxes; the pages;
#   app/ui                       the main dialog that holds them all
#   app/main.cpp, cli/main.cpp   the two programs
#
# bank is a layer above store, not beside it: its accounts are store's
# records and its store writes store's files.
#
# The pages (plate/ui, mail/ui, files/ui) do not use app: app's project
# file and recovery are made from the plate and mail forms, so a page that
# reached into app would close a circle between the two areas taken whole.
#
# platform and preview are not at the top beside app: platform/Platform.h is
# the interface the core asks the desktop through (plate's saved pages and
# colours, app's project file need it), and it needs only text; preview's
# core is the format of the pipe to the preview program, which needs only
# io's little-endian records and is shared with that program
# (src/preview/engine), which holds no copy of the rest of the core.

# --- core (no Qt) -----------------------------------------------------------

# Whole-file reads, the write that never leaves half a file behind, and the
# little-endian layout of the program's binary records.
torepal_area(io)

# The pipe format and sandbox switches shared with the preview program; its
# frames are io's little-endian records (a header only: the preview program
# compiles this area's two files and needs no io library).
torepal_area(preview PRIVATE io)

# Text is read and written through io's files (text/Files.h).
torepal_area(text PUBLIC io)

# settings.ini and friends: files through io, their Shift-JIS through text.
torepal_area(store PRIVATE io text)

# Tariffs and carriers: tariff files are read with io, their names and
# lines are text (ServiceTicks.h keeps text's file names).
torepal_area(shipping PUBLIC text PRIVATE io)

# The desktop interface: its messages and time stamps are Shift-JIS text.
torepal_area(platform PRIVATE text)

# The bank accounts live in the settings files (store's records and files).
torepal_area(bank PUBLIC store PRIVATE text)

# Listing pages: the form's state holds shipping choices and bank accounts
# (store), its settings live in plate.ini (store), pages are saved through
# io and platform, every text is Shift-JIS.
torepal_area(plate PUBLIC io platform shipping store text)

# Mails: bank accounts in the form (store), saved through io, Shift-JIS.
torepal_area(mail PUBLIC io store text)

# The list of saved pages and mails: folders read through io and text.
torepal_area(files PRIVATE io text)

# The project file and the crash recovery hold the plate and the mail
# forms with their shipping and bank fields; the project is named through
# platform.
torepal_area(app PUBLIC mail plate platform shipping store text PRIVATE io)

# --- Qt halves --------------------------------------------------------------

# The desktop implementation of platform, and the small shared widgets.
torepal_area(platform/ui QT PUBLIC platform text)

# The live preview's side in the program: starts the preview process and
# feeds it through the pipe; places its window through platform.
torepal_area(preview/ui QT PUBLIC preview PRIVATE platform)

# The tariff editor and the current-service ticks.
torepal_area(shipping/ui QT PUBLIC shipping PRIVATE platform/ui text)

# The bank account boxes and dialog, over store's account records.
torepal_area(bank/ui QT PUBLIC store PRIVATE bank platform/ui)

# The mail page: bank accounts through bank/ui's boxes.
torepal_area(mail/ui QT PUBLIC bank mail store PRIVATE bank/ui platform/ui text)

# The saved-file list page; a mail is opened from it (mail's files).
torepal_area(files/ui QT PUBLIC files PRIVATE mail platform/ui text)

# The listing form and pages: the bank boxes, the current services, the
# live preview.
torepal_area(plate/ui QT PUBLIC plate shipping text
             PRIVATE bank bank/ui io platform/ui preview/ui shipping/ui store)

# The main dialog: every page, the project file and the recovery keeper.
torepal_area(app/ui QT PUBLIC app bank mail/ui platform platform/ui store
             PRIVATE files/ui io plate plate/ui preview/ui shipping shipping/ui text)

# --- programs ---------------------------------------------------------------

# The preview program's window (built in cmake/PreviewProgram.cmake without
# the core library: it compiles preview's two files itself).
torepal_area(preview/engine QT NO_LIBRARY PUBLIC preview)
torepal_area(preview/engine/main.cpp NO_LIBRARY PRIVATE preview preview/engine)

# The program, and the command-line tool that makes the same pages, mails
# and tariff files without Qt.
torepal_area(app/main.cpp PROGRAM torepal PRIVATE app/ui)
torepal_area(cli/main.cpp PROGRAM torepal-cli PRIVATE app io mail plate shipping text)
