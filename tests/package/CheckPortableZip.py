"""The portable zip holds the program as built and a README.txt that tells a
Windows user what Panorel does, its hotkey, where its settings live and how to
remove it. Usage: CheckPortableZip.py ZIP BUILT_EXE VERSION"""
import sys
import unittest
import zipfile

ZIP, EXE, VERSION = sys.argv[1:4]


class PortableZipTest(unittest.TestCase):
    def test_holds_the_built_program_and_a_readme_for_windows_users(self):
        with zipfile.ZipFile(ZIP) as archive:
            self.assertIsNone(archive.testzip())
            self.assertEqual(sorted(archive.namelist()), ["Panorel.exe", "README.txt"])
            with open(EXE, "rb") as built:
                self.assertEqual(archive.read("Panorel.exe"), built.read())
            raw = archive.read("README.txt")
        self.assertNotIn(b"\n", raw.replace(b"\r\n", b""), "Notepad wants CR LF line ends")
        text = raw.decode("utf-8-sig")
        for needed in ("Panorel " + VERSION, "Ctrl+F1", "Panorel.ini", "卸载", "Uninstall"):
            self.assertIn(needed, text)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
