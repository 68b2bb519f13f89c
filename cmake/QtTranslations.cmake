# Qt's own texts (the message boxes' buttons, the edit fields' context menu)
# in the two Chinese languages: Qt's catalogs, installed into the program
# folder's translations/, where the program loads them from (Debian: package
# qt6-translations-l10n). The catalogs hold no code: the same files serve the
# Windows program folder.
set(KESTROVANE_QT_TRANSLATIONS_DIR /usr/share/qt6/translations CACHE PATH
    "Where Qt's translation catalogs qtbase_zh_CN.qm and qtbase_zh_TW.qm lie")
set(kestrovane_qt_translations)
foreach(language zh_CN zh_TW)
  set(catalog ${KESTROVANE_QT_TRANSLATIONS_DIR}/qtbase_${language}.qm)
  if(NOT EXISTS ${catalog})
    message(FATAL_ERROR "${catalog} is missing: install qt6-translations-l10n, or set "
                        "KESTROVANE_QT_TRANSLATIONS_DIR to where Qt's catalogs lie")
  endif()
  list(APPEND kestrovane_qt_translations ${catalog})
endforeach()
