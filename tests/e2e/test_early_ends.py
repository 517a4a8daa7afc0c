"""Every early end of the run still starts the follow-up program and quits,
after the message the user needs."""
import os
import shutil
import subprocess
import unittest

from medium_case import MediumCase
from setup_run import DATA_FOLDER

IDOK = 1
IDABORT = 3


def follow_ups(medium):
    return [s for s in medium.records() if s.get("arg0", "").endswith("PostSetup.exe")]


class EarlyEnds(MediumCase):
    admin_text = None  # each test sets up its own machine first
    with_medium = False

    def check(self, medium, texts):
        self.assertEqual([text for _, text in medium.boxes], texts)
        self.assertTrue(all(caption == "setup" for caption, _ in medium.boxes))
        self.assertEqual(len(follow_ups(medium)), 1)

    def test_no_administration_file(self):
        self.machine.no_admin()
        medium = self.new_medium()
        try:
            subprocess.run(["wine", "reg", "delete", r"HKLM\SOFTWARE\Orvekhaus\OrvekSuite", "/f"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            medium.run("/S", "/L:7", answer=IDOK)
            self.check(medium, ["Keine Orvek-Installation gefunden.\nBitte installieren Sie zuerst OrvekDesktop."])
            subprocess.run(["wine", "reg", "add", r"HKLM\SOFTWARE\Orvekhaus\OrvekSuite", "/v", "InstallDir",
                            "/d", r"C:\Suite", "/f"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            medium.run("/S", "/L:7", answer=IDOK)
            self.assertEqual(len(medium.boxes), 1)
            self.assertTrue(medium.boxes[0][1].startswith("Dieses Datenpaket lässt sich nur mit OrvekDesktop nutzen."))
        finally:
            subprocess.run(["wine", "reg", "delete", r"HKLM\SOFTWARE\Orvekhaus\OrvekSuite", "/f"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def test_no_source_without_install_folder(self):
        self.machine.admin()
        medium = self.new_medium(folder_name="dvd")
        # The program outside a folder named "install" and no SourcePath: the source is unknown.
        moved = os.path.join(medium.root, "setupfiles")
        shutil.move(medium.install, moved)
        medium.install = moved
        medium.run("/S", "/L:7", answer=IDOK)
        self.check(medium, ["Legen Sie die Original-DVD ein und starten Sie die Installation neu."])

    def test_file_sets_that_cannot_be_built(self):
        self.machine.admin()
        medium = self.new_medium()
        os.remove(os.path.join(medium.install, "readme.txt"))  # named by the data script
        medium.run("/S", "/L:7", answer=IDABORT)
        self.check(medium, ["Das File in Eintrag readme im Abschnitt [Files]\nkonnte nicht gefunden werden."])
        self.assertFalse(os.path.exists(os.path.join(DATA_FOLDER, "local")))  # nothing copied


if __name__ == "__main__":
    unittest.main()
