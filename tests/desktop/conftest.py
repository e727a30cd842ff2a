import pytest

from desktop import Host


@pytest.fixture
def host(tmp_path):
    """The reference host in office mode on a fresh demo installation; ended after the test."""
    started = Host(tmp_path)
    yield started
    started.stop()
