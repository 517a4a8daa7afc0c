"""The base of the end-to-end tests: each test starts with the machine's data
folder emptied (put back afterwards) and, unless a class says otherwise, an
administration file and a generated medium in a fresh temporary folder, which
goes with the test."""
import os
import unittest

from setup_run import EMPTY_ADMIN, Machine, Medium


class MediumCase(unittest.TestCase):
    # The administration file written before each test; None: none.
    admin_text = EMPTY_ADMIN
    # A medium made for each test (with these packages; None: the sample's).
    with_medium = True
    packages = None

    def setUp(self):
        self.machine = Machine()
        self.addCleanup(self.machine.restore)
        self.medium = None
        self.addCleanup(lambda: self.medium and self.medium.close())
        if self.admin_text is not None:
            self.machine.admin(self.admin_text)
        if self.with_medium:
            self.new_medium()

    def new_medium(self, packages=None, **kwargs):
        """A new medium in place of the test's one (removed); self.log is its setup log's path."""
        if self.medium:
            self.medium.close()
        self.medium = Medium(packages=packages or self.packages, **kwargs)
        self.log = os.path.join(self.medium.base, "setup.log")
        return self.medium

    def log_text(self):
        """The setup log (self.log) as it stands."""
        with open(self.log, encoding="utf-8") as log:
            return log.read()
