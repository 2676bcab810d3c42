; The installer's and the uninstaller's own texts, in the program's two
; languages. The pages' standard texts come from NSIS's English and
; SimpChinese language files.

LangString SetupDescription ${LANG_SIMPCHINESE} "Panorel 安装程序"
LangString StartAtSignIn ${LANG_SIMPCHINESE} "登录 Windows 时启动 Panorel"
LangString ModeTitle ${LANG_SIMPCHINESE} "选择安装方式"
LangString ModeSubtitle ${LANG_SIMPCHINESE} "为谁安装 Panorel?"
LangString ModeJustMe ${LANG_SIMPCHINESE} "仅为我安装(不需要管理员权限)"
LangString ModeEveryone ${LANG_SIMPCHINESE} "为这台电脑的所有用户安装(安装到 Program Files)"
LangString AllUsersNeedsAdmin ${LANG_SIMPCHINESE} "为所有用户安装需要管理员权限,请以管理员身份运行安装程序。"
LangString UninstallNeedsAdmin ${LANG_SIMPCHINESE} "Panorel 是为这台电脑的所有用户安装的,卸载需要管理员权限,请以管理员身份运行卸载程序。"
LangString StillRunning ${LANG_SIMPCHINESE} "Panorel 仍在运行,无法继续。$\r$\n请从它的托盘图标菜单中选择“退出 Panorel”,然后点“重试”。"
LangString KeepSettings ${LANG_SIMPCHINESE} "是否保留 Panorel 的设置(Panorel.ini)?$\r$\n保留后,重新安装 Panorel 时会继续使用这些设置。"
LangString CannotReplace ${LANG_SIMPCHINESE} "无法替换 $INSTDIR\Panorel.exe,它可能仍在运行。请退出 Panorel 后重新运行安装程序。"
LangString CannotRemove ${LANG_SIMPCHINESE} "无法删除 $INSTDIR\Panorel.exe,它可能仍在运行。请退出 Panorel 后重新运行卸载程序。"

LangString SetupDescription ${LANG_ENGLISH} "Panorel Setup"
LangString StartAtSignIn ${LANG_ENGLISH} "Start Panorel when I sign in to Windows"
LangString ModeTitle ${LANG_ENGLISH} "Choose how to install"
LangString ModeSubtitle ${LANG_ENGLISH} "Who is Panorel for?"
LangString ModeJustMe ${LANG_ENGLISH} "Install for me only (no administrator rights needed)"
LangString ModeEveryone ${LANG_ENGLISH} "Install for every user of this computer (into Program Files)"
LangString AllUsersNeedsAdmin ${LANG_ENGLISH} "Installing for every user needs administrator rights: please run the installer as an administrator."
LangString UninstallNeedsAdmin ${LANG_ENGLISH} "Panorel was installed for every user of this computer: removing it needs administrator rights. Please run the uninstaller as an administrator."
LangString StillRunning ${LANG_ENGLISH} "Panorel is still running and setup cannot go on.$\r$\nPlease choose $\"Exit Panorel$\" in the menu of its notification icon, then click Retry."
LangString KeepSettings ${LANG_ENGLISH} "Keep Panorel's settings (Panorel.ini)?$\r$\nKept settings are used again when Panorel is installed again."
LangString CannotReplace ${LANG_ENGLISH} "Cannot replace $INSTDIR\Panorel.exe: it may still be running. Please exit Panorel and run the installer again."
LangString CannotRemove ${LANG_ENGLISH} "Cannot remove $INSTDIR\Panorel.exe: it may still be running. Please exit Panorel and run the uninstaller again."
