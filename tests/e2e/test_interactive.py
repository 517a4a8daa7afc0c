"""The interactive run as a user clicks through it, and the language library."""
import os
import unittest

from medium_case import MediumCase
from setup_run import DATA_FOLDER, ROOT
import make_medium

IDOK, IDCANCEL = 1, 2
LANGUAGE_PAGE = "Sprache / Language / Langue / Lingua"
OPTIONS_PAGE = "Vorgaben zur Installation"
PROGRESS = "Dateien kopieren"
LIST, NEXT = 1091, 1


class Interactive(MediumCase):
    def installed(self, folder):
        return os.path.isdir(os.path.join(DATA_FOLDER, "local", folder, "cad")) and bool(
            os.listdir(os.path.join(DATA_FOLDER, "local", folder, "cad")))

    def test_pages_one_package_left_out_and_old_data_kept(self):
        old = os.path.join(DATA_FOLDER, "Nordlicht", "cad", "mine.cad")
        os.makedirs(os.path.dirname(old))
        open(old, "w").write("kept")
        # Language page: German (preselected by DefLanguage); options page: the first row
        # (alphabetical: Helios Licht) toggled off with the space key, then Weiter; the
        # old-data question: Nein. The progress dialog is left alone (its Cancel is IDCANCEL too).
        code = self.medium.run("/L:7", answer=IDCANCEL,
                               script=[f"{LANGUAGE_PAGE}={IDOK}", f"{OPTIONS_PAGE}=space:{LIST},{NEXT}", f"{PROGRESS}="])
        self.assertEqual(code, 0)
        captions = [caption for caption, _ in self.medium.boxes]
        self.assertEqual(captions[:2], [LANGUAGE_PAGE, OPTIONS_PAGE])
        self.assertIn("Produktdaten aktualisieren", captions)
        self.assertEqual(open(old).read(), "kept")
        self.assertFalse(os.path.exists(os.path.join(DATA_FOLDER, "Helios")))
        self.assertTrue(os.path.isfile(os.path.join(DATA_FOLDER, "Lumina", "cad", "lum0.cad")))
        self.assertFalse(os.path.exists(os.path.join(DATA_FOLDER, "Nordlicht", "cad", "nor0.cad")))

    def test_cancel_on_the_options_page_is_1602(self):
        code = self.medium.run("/L:7", answer=IDOK, script=[f"{LANGUAGE_PAGE}={IDOK}", f"{OPTIONS_PAGE}={IDCANCEL}"])
        self.assertEqual(code, 1602)
        self.assertFalse(os.path.exists(os.path.join(DATA_FOLDER, "Lumina")))

    def test_cancel_in_the_progress_dialog_stops_the_copy(self):
        # A first package of 4,900 files: the copy lasts long enough for the click.
        self.new_medium(packages=[("BIG", "Grosse Daten", "Gross", "", 700)] + make_medium.PACKAGES)
        code = self.medium.run("/L:7", answer=IDOK,
                               script=[f"{LANGUAGE_PAGE}={IDOK}", f"{OPTIONS_PAGE}={NEXT}", f"{PROGRESS}={IDCANCEL}"])
        self.assertEqual(code, 1602)
        copied = sum(len(files) for _, _, files in os.walk(os.path.join(DATA_FOLDER, "Gross")))
        self.assertLess(copied, 4900)
        self.assertFalse(os.path.exists(os.path.join(DATA_FOLDER, "Sol", "cad", "sol0.cad")))
        # Nothing is recorded and no package installer runs; the follow-up program still starts.
        self.assertFalse(self.machine.records().has_section("BIG"))
        self.assertEqual([r["arg0"].rsplit("\\", 1)[-1] for r in self.medium.records()], ["PostSetup.exe"])

    def test_language_8_takes_the_english_library(self):
        self.machine.no_admin()
        self.medium.run("/S", "/L:8", answer=IDOK)
        self.assertEqual([text for _, text in self.medium.boxes],
                         ["No Orvek installation found.\nPlease install OrvekDesktop first."])

    def test_each_library_of_the_medium_speaks_its_language(self):
        self.machine.no_admin()
        german = "Keine Orvek-Installation gefunden.\\nBitte installieren Sie zuerst OrvekDesktop."
        for number, table in [(10, "spanish.tsv"), (12, "french.tsv"), (16, "italian.tsv")]:
            with self.subTest(language=number):
                rows = dict(line.rstrip("\n").split("\t", 1) for line in
                            open(os.path.join(ROOT, "lang", table), encoding="utf-8") if "\t" in line)
                self.medium.run("/S", f"/L:{number}", answer=IDOK)
                self.assertEqual([text for _, text in self.medium.boxes], [rows[german].replace("\\n", "\n")])

    def test_without_the_library_the_run_goes_on_in_german(self):
        self.machine.no_admin()
        os.remove(os.path.join(self.medium.install, "res_09.dll"))
        self.medium.run("/S", "/L:9", answer=IDOK)
        self.assertEqual([text for _, text in self.medium.boxes],
                         ["Language could not be loaded.\nProceeding in german.",
                          "Keine Orvek-Installation gefunden.\nBitte installieren Sie zuerst OrvekDesktop."])


if __name__ == "__main__":
    unittest.main()
