// vesselsim: the vessel author's bench around the headless host.
#include <CLI/CLI.hpp>

#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "CheckCommand.h"
#include "RunCommand.h"
#ifdef VESSELSIM_SERVE
#include "SchematicCommand.h"
#include "ServeCommand.h"
#include "TestCommand.h"
#endif

int main(int argc, char **argv) {
#ifdef _WIN32
  // What the bench prints is the same bytes on every platform: "\n" ends a
  // line, as in the files it writes.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  CLI::App app{"vesselsim: run vessel modules in a headless host"};
  // "/path/to/file" is a file, not an option, on Windows too.
  app.allow_windows_style_options(false);
  app.require_subcommand(1);

  RunOptions run;
  CLI::App *runCommand = app.add_subcommand("run", "Run a scenario for a simulated time");
  runCommand->add_option("SCENARIO", run.scenario, "Scenario file")->required();
  runCommand->add_option("--root", run.root, "The host's working folder");
  runCommand->add_option("--dt", run.dt, "Frame step in seconds");
  auto *duration = runCommand->add_option("--duration", run.duration, "Simulated seconds to run");
  auto *steps = runCommand->add_option("--steps", run.steps, "Frames to run");
  duration->excludes(steps);
  runCommand->add_option("--vessel", run.vessel, "Vessel the watches and events act on");
  runCommand->add_option("--watch", run.watches, "[TYPE=]REF to record and print");
  runCommand->add_option("--every", run.every, "CSV row interval in simulated seconds");
  runCommand->add_option("--csv", run.csv, "CSV file of the watched variables");
  runCommand->add_option("--events", run.events, "Event script");
  runCommand->add_option("--save", run.save, "Scenario file written at the end");
  runCommand->add_option("--panel", run.panel, "Panel shown from the start");
  runCommand->add_option("--png", run.png, "Image of the shown panel at the end");
  runCommand->add_option("--plot", run.plot, "PNG charts of the watched variables over time (gnuplot)");
  runCommand->add_flag("--describe", run.describe, "Print each vessel's host model at the end");
  runCommand->add_flag("--quiet", run.quiet, "No host messages");

  CheckOptions check;
  CLI::App *checkCommand = app.add_subcommand("check", "Read a vessel configuration and report its mistakes");
  checkCommand->add_option("CONFIG", check.config, "Class name under ROOT/Config, or a path to its .cfg")->required();
  checkCommand->add_option("--root", check.root, "The host's working folder");
  checkCommand->add_flag("--strict", check.strict, "Also report what the module passes over silently");

#ifdef VESSELSIM_SERVE
  ServeOptions serve;
  CLI::App *serveCommand = app.add_subcommand("serve", "Fly a scenario live on a web page, rebuilt when its files change");
  serveCommand->add_option("SCENARIO", serve.scenario, "Scenario file")->required();
  serveCommand->add_option("--root", serve.root, "The host's working folder");
  serveCommand->add_option("--port", serve.port, "TCP port of the page (0: one the system chooses)")
      ->check(CLI::Range(0, 65535));
  serveCommand->add_option("--bind", serve.bind, "Address the server listens on");
  serveCommand->add_option("--dt", serve.dt, "Frame step in seconds");
  serveCommand->add_option("--vessel", serve.vessel, "Vessel the page shows and drives");
  serveCommand->add_option("--watch", serve.watches, "[TYPE=]REF watched from the start");

  SchematicOptions schematic;
  CLI::App *schematicCommand = app.add_subcommand("schematic", "Draw a vessel's plant as an SVG schematic");
  schematicCommand->add_option("CONFIG", schematic.config, "Class name under ROOT/Config, or a path to its .cfg")
      ->required();
  schematicCommand->add_option("--root", schematic.root, "The host's working folder");
  schematicCommand->add_option("--svg", schematic.svg, "SVG file to write")->required();

  TestOptions test;
  CLI::App *testCommand =
      app.add_subcommand("test", "Fly every events file with a scenario header and check its expectations");
  testCommand->add_option("DIR", test.folder, "Folder searched for *.events files");
  testCommand->add_option("--junit", test.junit, "JUnit XML report to write");
#endif

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp &e) {
    return app.exit(e);
  } catch (const CLI::ParseError &e) {
    app.exit(e);
    return 2;
  }
  if (app.got_subcommand(runCommand)) return RunScenario(run);
  if (app.got_subcommand(checkCommand)) return CheckConfiguration(check);
#ifdef VESSELSIM_SERVE
  if (app.got_subcommand(serveCommand)) return ServeScenario(serve);
  if (app.got_subcommand(schematicCommand)) return DrawSchematic(schematic);
  if (app.got_subcommand(testCommand)) return TestVessels(test);
#endif
  return 2;
}
