"""The portable zip holds the program as built, a README.txt that tells a
Windows user what Panorel does, its hotkey, where its settings live and how to
remove it, and the user's guide in both languages beside the program. Usage: CheckPortableZip.py ZIP BUILT_EXE VERSION"""
import sys
import unittest
import zipfile

ZIP, EXE, VERSION = sys.argv[1:4]


class PortableZipTest(unittest.TestCase):
    def test_holds_the_built_program_and_a_readme_for_windows_users(self):
        with zipfile.ZipFile(ZIP) as archive:
            self.assertIsNone(archive.testzip())
            self.assertEqual(sorted(archive.namelist()),
                             ["Panorel-Help-en.html", "Panorel-Help-zh.html", "Panorel.exe", "README.txt"])
            with open(EXE, "rb") as built:
                self.assertEqual(archive.read("Panorel.exe"), built.read())
            raw = archive.read("README.txt")
            guides = [archive.read(name).decode("utf-8") for name in ("Panorel-Help-en.html", "Panorel-Help-zh.html")]
        self.assertNotIn(b"\n", raw.replace(b"\r\n", b""), "Notepad wants CR LF line ends")
        text = raw.decode("utf-8-sig")
        for needed in ("Panorel " + VERSION, "Ctrl+F1", "Panorel.ini", "卸载", "Uninstall"):
            self.assertIn(needed, text)
        for guide, removing in zip(guides, ("Removing Panorel", "卸载 Panorel")):
            for needed in ("Ctrl+F1", "Ctrl+Shift+F1", "[Extras]", "Panorel.ini", removing):
                self.assertIn(needed, guide)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
