"""pip install --no-build-isolation .   builds the module "vantrel" with CMake.

The module is linked with the library's static archive, so the installed
extension stands alone. Needs Debian's cmake, g++, pybind11-dev, python3-dev
and the library's own packages (see ./dev).
"""
import os
import pathlib
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = pathlib.Path(__file__).resolve().parent


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        target = pathlib.Path(self.get_ext_fullpath(ext.name)).resolve()
        build = pathlib.Path(self.build_temp).resolve() / "cmake"
        build.mkdir(parents=True, exist_ok=True)
        subprocess.run(["cmake", "-S", str(ROOT), "-B", str(build),
                        "-DCMAKE_BUILD_TYPE=Release", f"-DPython3_EXECUTABLE={sys.executable}",
                        "-DVANTREL_BUILD_TESTS=OFF", "-DVANTREL_BUILD_DEMO=OFF",
                        "-DVANTREL_BUILD_BENCH=OFF", "-DVANTREL_BUILD_PYTHON=ON",
                        "-DVANTREL_PYTHON_STATIC=ON"], check=True)
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL", "2")
        subprocess.run(["cmake", "--build", str(build), "-j", jobs, "--target", "vantrel_python"],
                       check=True)
        built = next((build / "python").glob("vantrel*.so"))
        target.parent.mkdir(parents=True, exist_ok=True)
        self.copy_file(str(built), str(target))
        self.copy_file(str(ROOT / "python" / "vantrel.pyi"), str(target.parent / "vantrel.pyi"))


setup(
    name="vantrel",
    version="0.1.0",
    description="Headless 3D and texture-space viewports, rendered to numpy arrays",
    ext_modules=[Extension("vantrel", sources=[])],
    cmdclass={"build_ext": CMakeBuild},
    zip_safe=False,
)
