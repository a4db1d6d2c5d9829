// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
// A stand-in for the wallet application: says hello on both output
// channels, shows each argument it got and the system property
// wallet.demo.greeting when set, and exits with the code given in
// WALLET_DEMO_EXIT (default 0). With WALLET_DEMO_STAY=N it stays open N
// seconds first, and shows each link a later start hands over on its
// standard input (instance=single).
public class WalletDemo {
    public static void main(String[] args) throws InterruptedException {
        System.out.println("Rarudor Wallet demo is running on Java " + System.getProperty("java.version") + ".");
        for (String argument : args)
            System.out.println("argument: [" + argument + "]");
        String greeting = System.getProperty("wallet.demo.greeting");
        if (greeting != null)
            System.out.println("wallet.demo.greeting: [" + greeting + "]");
        System.err.println("Rarudor Wallet demo: this line went to standard error.");
        String stay = System.getenv("WALLET_DEMO_STAY");
        if (stay != null && !stay.isEmpty()) {
            Thread reader = new Thread(WalletDemo::showHandedOverLinks);
            reader.setDaemon(true);
            reader.start();
            Thread.sleep(Long.parseLong(stay.trim()) * 1000);
        }
        String code = System.getenv("WALLET_DEMO_EXIT");
        System.exit(code == null || code.isEmpty() ? 0 : Integer.parseInt(code.trim()));
    }

    // Each line an argument of a later start; an empty line ends its request.
    private static void showHandedOverLinks() {
        java.io.BufferedReader input = new java.io.BufferedReader(
            new java.io.InputStreamReader(System.in, java.nio.charset.StandardCharsets.UTF_8));
        try {
            for (String line; (line = input.readLine()) != null; )
                System.out.println(line.isEmpty() ? "(end of a hand-over)" : "handed over: [" + line + "]");
        } catch (java.io.IOException e) {
            System.err.println("Rarudor Wallet demo: " + e.getMessage());
        }
    }
}
